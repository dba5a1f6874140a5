// SPDX-License-Identifier: MIT
#include "platform/ui/page_permissions.h"

#include <QWebEngineCertificateError>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEngineRegisterProtocolHandlerRequest>
#include <QWebEngineSettings>

namespace platform
{

namespace
{

QString featureName(QWebEnginePage::Feature feature)
{
    switch (feature) {
    case QWebEnginePage::Geolocation:
        return QStringLiteral("your location");
    case QWebEnginePage::Notifications:
        return QStringLiteral("desktop notifications");
    case QWebEnginePage::MediaAudioCapture:
        return QStringLiteral("your microphone");
    case QWebEnginePage::MediaVideoCapture:
        return QStringLiteral("your camera");
    case QWebEnginePage::MediaAudioVideoCapture:
        return QStringLiteral("your camera and microphone");
    case QWebEnginePage::MouseLock:
        return QStringLiteral("to lock the mouse pointer");
    case QWebEnginePage::DesktopVideoCapture:
        return QStringLiteral("to record your screen");
    case QWebEnginePage::DesktopAudioVideoCapture:
        return QStringLiteral("to record your screen and sound");
    }
    return QStringLiteral("a permission");
}

} // namespace

QString PermissionRefusedText(QWebEnginePage::Feature feature)
{
    return QStringLiteral("Not allowed: the page asked for ") + featureName(feature);
}

void RefuseWhatPagesAskFor(QWebEnginePage& page, const std::function<void(const QString&)>& refused)
{
    QWebEngineSettings* settings = page.settings();
    settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanPaste, false);
    QObject::connect(&page, &QWebEnginePage::featurePermissionRequested, &page,
        [&page, refused](const QUrl& origin, QWebEnginePage::Feature feature) {
            page.setFeaturePermission(origin, feature, QWebEnginePage::PermissionDeniedByUser);
            refused(PermissionRefusedText(feature));
        });
    QObject::connect(
        &page, &QWebEnginePage::fileSystemAccessRequested, &page, [refused](QWebEngineFileSystemAccessRequest request) {
            request.reject();
            refused(QStringLiteral("Not allowed: the page asked for your files"));
        });
    QObject::connect(&page, &QWebEnginePage::registerProtocolHandlerRequested, &page,
        [](QWebEngineRegisterProtocolHandlerRequest request) { request.reject(); });
    // The engine's error page says what was wrong; nothing lets the user past it.
    QObject::connect(&page, &QWebEnginePage::certificateError, &page, [refused](QWebEngineCertificateError error) {
        error.rejectCertificate();
        refused(QStringLiteral("Not opened: the site's certificate is not valid (") + error.description()
            + QLatin1Char(')'));
    });
}

} // namespace platform
