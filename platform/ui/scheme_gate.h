// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QUrl;

namespace platform
{

// Where an address that a page hands to the desktop may go. Web addresses go to the user's browser, a mail
// address to the mail program only from the user's own click, and nothing else leaves: a file:, smb: or nfs:
// address handed to the desktop's opener can run a launcher the page chose.
enum class Handover { Browser, MailProgram, Refused };

Handover HandoverOf(const QUrl& url, bool userStarted);

// Whether the engine would hand a navigation to this address to another program rather than show it itself.
bool LeavesTheEngine(const QUrl& url);

// What the status bar says of an address that was kept from the desktop; it names the scheme.
QString RefusedText(const QUrl& url);
// True when a web address is on that site: the domain itself or a subdomain. Addresses that are not on the web
// (the program's own pages, about:blank) belong to no other site.
bool WithinSite(const QUrl& url, const QString& domain);

} // namespace platform
