#pragma once

#include <QString>

#include <exception>
#include <string>

// The one error type of the program: it carries the text the user is shown. A layer that
// knows what went wrong throws it; the handler guard of the window shows it once.
class AppError : public std::exception
{
public:
    explicit AppError(QString message) : m_message(std::move(message)), m_utf8(m_message.toStdString()) {}
    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_message;
    std::string m_utf8;
};
