// SPDX-License-Identifier: MIT
// The version check's and the updater's transfer behind a proxy that asks for a password: the run's one answer is
// sent, asked for at most once, and a Cancel ends the request without a retry storm.
#include "platform/core/http_transfer.h"
#include "platform/core/proxy_credentials.h"
#include "tests/support/simulator_process.h"

#include <QNetworkProxy>
#include <QTest>

using platform::Credentials;
using platform::HttpTransfer;

namespace
{
constexpr int kTimeout = 20000;
const QString kPage = u"http://www.cobbleton.com/"_qs;
} // namespace

class TestTransferProxy : public QObject
{
    Q_OBJECT
    SimulatorProcess m_simulator;

    // Requests that reached the proxy without its password.
    int refused()
    {
        const QByteArray wanted = "Basic " + QByteArray("office:proxy pw").toBase64();
        const QList<LoggedRequest> log = m_simulator.log();
        return static_cast<int>(std::count_if(log.begin(), log.end(),
            [&wanted](const LoggedRequest& request) { return request.header("Proxy-Authorization") != wanted; }));
    }

    // Fetches the page through the proxy with `typed` as the user's answer; the ended state.
    int fetch(platform::ProxyCredentials& proxies, std::optional<Credentials> typed, int& asked)
    {
        platform::QtHttpTransfer transfer;
        transfer.answerProxyWith([&proxies, &typed, &asked](const QString& host) {
            return proxies.answer(host, [&typed, &asked] {
                ++asked;
                return typed;
            });
        });
        int ended = 0;
        connect(&transfer, &HttpTransfer::stateChanged, this, [&ended](int state) {
            if (state == HttpTransfer::kStateComplete || state == HttpTransfer::kStateError)
                ended = state;
        });
        if (transfer.start(kPage, {}, {}, {}))
            return -1;
        if (!QTest::qWaitFor([&] { return ended != 0; }, kTimeout))
            return -2;
        return ended == HttpTransfer::kStateComplete && transfer.headerBlock().startsWith(u"HTTP/1.1 200"_qs)
            ? HttpTransfer::kStateComplete
            : HttpTransfer::kStateError;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_simulator.start());
        QNetworkProxy::setApplicationProxy(
            QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), m_simulator.port()));
        QVERIFY(m_simulator.control(u"/__control/proxy-auth?user=office&password=proxy%20pw"_qs));
    }

    void answerIsSentAndAskedOnce()
    {
        platform::ProxyCredentials proxies([](const QString&) { return std::optional<Credentials>(); });
        int asked = 0;
        const Credentials typed { u"office"_qs, u"proxy pw"_qs };
        QCOMPARE(fetch(proxies, typed, asked), int(HttpTransfer::kStateComplete));
        // The next fetch of the run is not asked again.
        QCOMPARE(fetch(proxies, typed, asked), int(HttpTransfer::kStateComplete));
        QCOMPARE(asked, 1);
    }

    void cancelEndsTheRequestWithoutAStorm()
    {
        QVERIFY(m_simulator.control(u"/__control/clear-log"_qs));
        platform::ProxyCredentials proxies([](const QString&) { return std::optional<Credentials>(); });
        int asked = 0;
        QCOMPARE(fetch(proxies, std::nullopt, asked), int(HttpTransfer::kStateError));
        QCOMPARE(fetch(proxies, std::nullopt, asked), int(HttpTransfer::kStateError));
        QCOMPARE(asked, 1);
        QVERIFY2(refused() <= 2, qPrintable(QString::number(refused())));
    }
};

QTEST_GUILESS_MAIN(TestTransferProxy)
#include "tst_transfer_proxy.moc"
