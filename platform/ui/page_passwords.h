// SPDX-License-Identifier: MIT
#pragma once

#include "platform/ui/page_services.h"

class QAuthenticator;
class QUrl;
class QWebEnginePage;

namespace platform
{

// A page's questions for a password: a site's (401) is asked of the user each time, naming the host and its realm,
// and Cancel shows the server's own page; a proxy's (407) is answered from the run's shared proxy credentials.
// Nothing is written anywhere.
void AnswerPasswordQuestions(QWebEnginePage& page, PageServices services);

} // namespace platform
