// SPDX-License-Identifier: MIT
// The baseline for the start-up benchmark: a bare window with two web views, each loading one page.
//   bench_bare_two_views [--persistent] [--post BODY] FIRST SECOND
// --persistent keeps the profile on disk, as Quillet's is; --post sends FIRST as a form post of BODY.
#include "platform/core/startup_trace.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QNetworkProxyFactory>
#include <QWebEngineHttpRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <memory>

int main(int argc, char* argv[])
{
    platform::MarkStartup("main");
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    QApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    const bool persistent = args.removeAll(QStringLiteral("--persistent")) > 0;
    QByteArray postBody;
    if (const qsizetype post = args.indexOf(QStringLiteral("--post")); post >= 0 && post + 1 < args.size()) {
        postBody = args.takeAt(post + 1).toUtf8();
        args.removeAt(post);
    }
    if (args.size() != 2)
        return 2;
    const auto profile = persistent ? std::make_unique<QWebEngineProfile>(QStringLiteral("Bare"))
                                    : std::make_unique<QWebEngineProfile>();
    platform::MarkStartup("profile");
    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    for (int i = 0; i < 2; ++i) {
        auto* view = new QWebEngineView(&window);
        view->setPage(new QWebEnginePage(profile.get(), view));
        QWebEngineHttpRequest request(QUrl(args[i]));
        if (i == 0 && !postBody.isEmpty()) {
            request.setMethod(QWebEngineHttpRequest::Post);
            request.setPostData(postBody);
            request.setHeader("Content-Type", "application/x-www-form-urlencoded");
        }
        QObject::connect(view, &QWebEngineView::loadStarted, [] { platform::MarkStartup("load started"); });
        platform::MarkStartup("navigate");
        view->load(request);
        layout->addWidget(view);
    }
    window.resize(668, 439);
    window.show();
    platform::MarkStartup("shown");
    return app.exec(); // the window and its pages go before the profile they use
}
