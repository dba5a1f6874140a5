// SPDX-License-Identifier: MIT
// The fakes are header-only; this file gives their library a translation unit.
#include "tests/support/fakes/fake_file_dialogs.h"
#include "tests/support/fakes/fake_keyring.h"
#include "tests/support/fakes/fake_message_boxes.h"
#include "tests/support/fakes/fake_settings_store.h"
#include "tests/support/fakes/fake_shell.h"
#include "tests/support/fakes/fake_shell_folders.h"
#include "tests/support/fakes/fake_shell_ui_helper.h"
#include "tests/support/fakes/fake_web_browser.h"
