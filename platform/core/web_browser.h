// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QWidget;

namespace platform
{

// An embedded web browser. The event signals carry the browser component's event names.
class WebBrowser : public QObject
{
    Q_OBJECT
public:
    // Command ids of CommandStateChange.
    static constexpr int kCommandForward = 1;
    static constexpr int kCommandBack = 2;

    using QObject::QObject;

    virtual QWidget* widget() = 0; // the control to place in a window

    virtual void navigate(const QString& address) = 0;
    // A POST of postData with one extra header line ("Name: value").
    virtual void navigatePost(const QString& address, const QByteArray& postData, const QString& header) = 0;
    virtual void goBack() = 0;
    virtual void goForward() = 0;
    virtual void stop() = 0;
    virtual void refresh() = 0;
    virtual void printWithDialog() = 0;

    virtual bool busy() const = 0;
    virtual QString locationName() const = 0;
    virtual QString locationAddress() const = 0;

    // Copy the page selection to the clipboard.
    virtual void copySelection() = 0;
    // Open the browser's own find bar.
    virtual void showFindBar() = 0;
    // Pages here stay on that site (the domain and its subdomains): a link or redirect elsewhere is not followed
    // but told with OtherSiteRequested, for another browser to show.
    virtual void keepToSite(const QString& domain) = 0;

signals:
    void StatusTextChange(const QString& text);
    void ProgressChange();
    void CommandStateChange(int command, bool enable);
    void DownloadComplete();
    void NavigateComplete2();
    void focusReceived();
    void OtherSiteRequested(const QString& address);
};

} // namespace platform
