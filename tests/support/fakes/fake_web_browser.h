// SPDX-License-Identifier: MIT
#pragma once

#include "platform/core/web_browser.h"

#include <QList>
#include <QWidget>
#include <memory>

namespace platform
{

// Records every command; the test sets the properties and raises the events itself (signals are public).
class FakeWebBrowser final : public WebBrowser
{
public:
    struct Navigation {
        QString address;
        QByteArray postData;
        QString header;
        bool isPost = false;
    };

    FakeWebBrowser()
        : m_widget(std::make_unique<QWidget>())
    {
        m_widget->setFocusPolicy(Qt::StrongFocus);
    }

    QWidget* widget() override { return m_widget.get(); }

    void navigate(const QString& address) override { navigations.append({ address, {}, {}, false }); }
    void navigatePost(const QString& address, const QByteArray& postData, const QString& header) override
    {
        navigations.append({ address, postData, header, true });
    }
    void goBack() override { commands.append(QStringLiteral("back")); }
    void goForward() override { commands.append(QStringLiteral("forward")); }
    void stop() override { commands.append(QStringLiteral("stop")); }
    void refresh() override { commands.append(QStringLiteral("refresh")); }
    void printWithDialog() override { commands.append(QStringLiteral("print")); }
    void copySelection() override { commands.append(QStringLiteral("copy")); }
    void showFindBar() override { commands.append(QStringLiteral("find")); }
    void keepToSite(const QString& domain) override { keptTo = domain; }

    bool busy() const override { return isBusy; }
    QString locationName() const override { return title; }
    QString locationAddress() const override { return address; }

    // Test side.
    QList<Navigation> navigations;
    QStringList commands;
    bool isBusy = false;
    QString title;
    QString address;
    QString keptTo;

private:
    std::unique_ptr<QWidget> m_widget;
};

} // namespace platform
