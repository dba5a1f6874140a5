// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The addresses the Help menu, the maker links and the about box hand to the shell.

namespace quillet
{

// The help file beside the program: <programFolder>/help/Quillet_help.htm
QString HelpFileAddress(const QString& programFolder);

// The maker's home page with the program's tag appended straight to the host.
QString MakerHomeAddress();
// The maker's home page itself, and its host as the about box shows it.
QString MakerRootAddress();
QString MakerHostCaption();

QString LastbellOnlineAddress();

// Pre-addressed mails; the subject is left unencoded, spaces and all.
QString FeedbackMailAddress();
QString JoinListMailAddress();

} // namespace quillet
