// SPDX-License-Identifier: MIT
#include "quillet/service/lastbell_login.h"

#include "platform/core/ansi_text.h"
#include "platform/core/hosts.h"

namespace quillet
{

namespace lastbell_login
{

namespace
{

QString lastbellPage(const char* path)
{
    return QLatin1String("http://") + QLatin1String(hosts::kLastbellServer) + QLatin1String(path);
}

bool isAsciiAlphanumeric(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

} // namespace

QString LoginAddress()
{
    return lastbellPage(hosts::kLastbellLoginPath);
}

QString SignupAddress()
{
    return lastbellPage(hosts::kLastbellSignupPath);
}

QString NewsAddress()
{
    return lastbellPage(hosts::kLastbellNewsPath);
}

QByteArray FormEncode(const QString& value)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    QByteArray encoded;
    for (const char c : platform::toAnsi(value)) {
        const auto byte = static_cast<unsigned char>(c);
        if (isAsciiAlphanumeric(c)) {
            encoded += c;
        } else if (c == ' ') {
            encoded += '+';
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0x0F];
        }
    }
    return encoded;
}

QByteArray LoginBody(const QString& user, const QString& password)
{
    return "username=" + FormEncode(user) + "&temp_password=" + FormEncode(password);
}

FirstPage ChooseFirstPage(bool bIsHasAccount, const QString& sUser, const std::optional<QString>& sPassword)
{
    if (!bIsHasAccount)
        return { FirstPage::Kind::SignUp, SignupAddress(), {} };
    if (sUser.isEmpty() || !sPassword)
        return { FirstPage::Kind::LoginByGet, LoginAddress(), {} }; // a password alone is never sent
    return { FirstPage::Kind::LoginPost, LoginAddress(), LoginBody(sUser, *sPassword) };
}

} // namespace lastbell_login

} // namespace quillet
