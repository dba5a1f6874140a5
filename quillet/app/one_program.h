// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <memory>

namespace platform
{
class MessageBoxes;
class SingleInstance;
} // namespace platform

namespace quillet
{

// The settings, the favourites, the keyring entry and the web profile belong to the user, so one user runs one
// Quillet: this lock, in the user's runtime folder, is named after the settings folder it protects.
std::unique_ptr<platform::SingleInstance> UserInstance();

// What a later start says when the running program holds the lock but does not take the hand-over.
QString NoAnswerText();
void TellNoAnswer(platform::MessageBoxes& messages);

} // namespace quillet
