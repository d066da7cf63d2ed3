#include "Money.h"

#include "Erro.h"

#include <QLocale>
#include <QMetaType>
#include <QtNumeric>

#include <limits>

namespace {

constexpr qint64 kEscala = 10000;
constexpr int kCasasGuardadas = 4;

[[noreturn]] void recusar(QStringView texto) {
    throw Erro(QStringLiteral("Valor monetário inválido: \"%1\"").arg(texto));
}

bool ehDigito(QChar c) { return c >= u'0' && c <= u'9'; }

// Appends one decimal digit to a magnitude; false when it no longer fits.
bool acrescentarDigito(quint64& valor, QChar digito) {
    constexpr quint64 kMaximo = std::numeric_limits<qint64>::max();
    const quint64 d = digito.unicode() - u'0';
    if (valor > (kMaximo - d) / 10)
        return false;
    valor = valor * 10 + d;
    return true;
}

qint64 comSinal(quint64 magnitude, bool negativo) {
    return negativo ? -static_cast<qint64>(magnitude) : static_cast<qint64>(magnitude);
}

quint64 magnitude(qint64 valor) {
    return valor < 0 ? 0 - static_cast<quint64>(valor) : static_cast<quint64>(valor);
}

quint64 potenciaDeDez(int expoente) {
    quint64 p = 1;
    while (expoente-- > 0)
        p *= 10;
    return p;
}

Money deInteiro(qint64 inteiro, const QVariant& original) {
    qint64 escalado = 0;
    if (qMulOverflow(inteiro, kEscala, &escalado))
        recusar(original.toString());
    return Money::deEscalado(escalado);
}

}  // namespace

Money Money::deTexto(QStringView texto) {
    qsizetype i = 0;
    const bool negativo = i < texto.size() && texto[i] == u'-';
    if (i < texto.size() && (texto[i] == u'-' || texto[i] == u'+'))
        ++i;

    quint64 escalado = 0;
    const qsizetype inicioInteiro = i;
    for (; i < texto.size() && ehDigito(texto[i]); ++i) {
        if (!acrescentarDigito(escalado, texto[i]))
            recusar(texto);
    }
    if (i == inicioInteiro)
        recusar(texto);

    int casas = 0;
    bool arredondarParaCima = false;
    if (i < texto.size() && texto[i] == u'.') {
        const qsizetype inicioDecimais = ++i;
        for (; i < texto.size() && ehDigito(texto[i]); ++i) {
            if (casas < kCasasGuardadas) {
                if (!acrescentarDigito(escalado, texto[i]))
                    recusar(texto);
                ++casas;
            } else if (i - inicioDecimais == kCasasGuardadas) {
                // Only the first dropped digit decides: half away from zero.
                arredondarParaCima = texto[i] >= u'5';
            }
        }
        if (i == inicioDecimais)
            recusar(texto);
    }
    if (i != texto.size())
        recusar(texto);

    for (; casas < kCasasGuardadas; ++casas) {
        if (!acrescentarDigito(escalado, u'0'))
            recusar(texto);
    }
    if (arredondarParaCima && escalado == quint64(std::numeric_limits<qint64>::max()))
        recusar(texto);
    return deEscalado(comSinal(escalado + (arredondarParaCima ? 1 : 0), negativo));
}

Money Money::deVariant(const QVariant& valor) {
    if (valor.isNull())
        return Money();
    switch (valor.typeId()) {
    case QMetaType::QString:
        return deTexto(valor.toString());
    case QMetaType::QByteArray:
        return deTexto(QString::fromLatin1(valor.toByteArray()));
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return deInteiro(valor.toLongLong(), valor);
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong: {
        const quint64 inteiro = valor.toULongLong();
        if (inteiro > quint64(std::numeric_limits<qint64>::max()))
            recusar(valor.toString());
        return deInteiro(qint64(inteiro), valor);
    }
    case QMetaType::Double:
    case QMetaType::Float: {
        // A driver that hands out a binary double has already rounded the server's decimal; its
        // shortest round-trip text is the decimal it stands for, so parse that text, never the
        // binary value times 10000.
        const double d = valor.toDouble();
        if (!qIsFinite(d))
            recusar(valor.toString());
        return deTexto(QString::number(d, 'f', QLocale::FloatingPointShortest));
    }
    default:
        recusar(valor.toString());
    }
}

QString Money::formatar(int casas, QChar separador) const {
    casas = qMax(casas, 0);
    const int casasArredondadas = qMin(casas, kCasasGuardadas);
    const quint64 divisor = potenciaDeDez(kCasasGuardadas - casasArredondadas);
    quint64 absoluto = magnitude(m_escalado) / divisor;
    if (magnitude(m_escalado) % divisor * 2 >= divisor)
        ++absoluto;

    const quint64 unidade = potenciaDeDez(casasArredondadas);
    QString texto = QString::number(absoluto / unidade);
    if (casas > 0) {
        texto += separador;
        if (casasArredondadas > 0)
            texto += QString::number(absoluto % unidade).rightJustified(casasArredondadas, u'0');
        texto += QString(casas - casasArredondadas, u'0');
    }
    if (m_escalado < 0 && absoluto != 0)
        texto.prepend(u'-');
    return texto;
}
