// SPDX-License-Identifier: MIT
#include "platform/core/proxy_setup.h"

#include <QNetworkProxyFactory>

namespace platform
{

void useSystemProxy()
{
    QNetworkProxyFactory::setUseSystemConfiguration(true);
}

} // namespace platform
