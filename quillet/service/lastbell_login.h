// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace quillet
{

// The Lastbell tab's first page at start-up, and the login form post.
namespace lastbell_login
{

QString LoginAddress();
QString SignupAddress();
QString NewsAddress();

inline constexpr char kFormHeader[] = "Content-Type: application/x-www-form-urlencoded";

// One value by the form rules: 8-bit bytes, letters and digits kept, space as "+", the rest as "%XX".
QByteArray FormEncode(const QString& value);
QByteArray LoginBody(const QString& user, const QString& password);

struct FirstPage {
    enum class Kind { SignUp, LoginByGet, LoginPost } kind;
    QString address;
    QByteArray postData; // only for LoginPost
};

// No account: sign-up. Account and a saved user: the form post. Account, no user: the login page, and the same
// when no password is known for the user (the keyring did not answer in time and the settings file held none).
FirstPage ChooseFirstPage(bool bIsHasAccount, const QString& sUser, const std::optional<QString>& sPassword);

} // namespace lastbell_login

} // namespace quillet
