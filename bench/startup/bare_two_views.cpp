// SPDX-License-Identifier: MIT
// The baseline for the start-up benchmark: a bare window with two web views, each loading one page.
#include <QApplication>
#include <QHBoxLayout>
#include <QNetworkProxyFactory>
#include <QWebEngineProfile>
#include <QWebEngineView>

int main(int argc, char* argv[])
{
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    QWebEngineProfile profile;
    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    for (int i = 1; i <= 2; ++i) {
        auto* view = new QWebEngineView(&window);
        view->setPage(new QWebEnginePage(&profile, view));
        view->load(QUrl(QString::fromLocal8Bit(argv[i])));
        layout->addWidget(view);
    }
    window.resize(668, 439);
    window.show();
    const int code = app.exec();
    return code;
}
