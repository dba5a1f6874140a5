// SPDX-License-Identifier: MIT
#include "platform/ui/font_warm_up.h"

#include <QFontDatabase>
#include <QThread>

namespace platform
{

FontWarmUp::FontWarmUp()
    : m_thread(QThread::create([] { (void)QFontDatabase::families(); }))
{
    m_thread->start();
}

FontWarmUp::~FontWarmUp()
{
    m_thread->wait();
}

} // namespace platform
