#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// An error that ends a user action and is shown with its text. The system's own messages
// ("Unable to write to ...", "SQLMountType inválido.", ...) are raised as Erro.
class Erro : public std::exception {
public:
    explicit Erro(QString texto);
    const QString& texto() const noexcept { return m_texto; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_texto;
    QByteArray m_utf8;
};

// A database error: its text is the server's own (QSqlError::text()), unchanged.
class ErroBanco : public Erro {
public:
    using Erro::Erro;
};
