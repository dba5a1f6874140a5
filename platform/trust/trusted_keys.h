// SPDX-License-Identifier: MIT
#pragma once

#include "platform/trust/minisign.h"

#include <QList>

namespace platform
{

// The public keys this build trusts to sign updates, fixed when it was configured.
QList<PublicKey> TrustedKeys();

} // namespace platform
