// SPDX-License-Identifier: MIT
// The fakes are header-only; this file gives their library a translation unit.
#include "platform/fakes/fake_favorites_platform.h"
#include "platform/fakes/fake_message_boxes.h"
#include "platform/fakes/fake_settings_store.h"
#include "platform/fakes/fake_shell.h"
#include "platform/fakes/fake_web_browser.h"
