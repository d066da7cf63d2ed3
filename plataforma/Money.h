#pragma once

#include <QString>
#include <QStringView>
#include <QVariant>
#include <QtGlobal>
#include <compare>

// A money amount with four decimal places, held exactly as the amount times 10000.
// Database amounts are parsed from the server's decimal text, never through double.
class Money {
public:
    constexpr Money() = default;
    static constexpr Money deEscalado(qint64 escalado) { Money m; m.m_escalado = escalado; return m; }

    // Exact parse of a decimal text such as "-12.3456" or "150"; more than four decimals are
    // rounded half away from zero to 0.0001. Throws Erro when the text is not a decimal number.
    static Money deTexto(QStringView texto);
    // A value as the database driver hands it out (use QSql::HighPrecision, so decimals come as
    // text): null gives zero; text is parsed exactly; integers are taken as they are; a double
    // stands for its shortest decimal text (12.345, not 12.3449999...). Anything else throws Erro.
    static Money deVariant(const QVariant& valor);

    constexpr qint64 escalado() const { return m_escalado; }
    // Whole cents, truncated toward zero: 12.345 -> 1234, -1.239 -> -123.
    constexpr qint64 centavos() const { return m_escalado / 100; }

    // The amount with the given number of decimals (rounded half away from zero) and the given
    // decimal separator, no thousands separator: formatar(2, ',') of 30.75 is "30,75".
    QString formatar(int casas, QChar separador) const;

    constexpr Money& operator+=(Money outro) { m_escalado += outro.m_escalado; return *this; }
    friend constexpr Money operator+(Money a, Money b) { return a += b; }
    friend constexpr bool operator==(Money, Money) = default;
    friend constexpr auto operator<=>(Money, Money) = default;

private:
    qint64 m_escalado = 0;
};
