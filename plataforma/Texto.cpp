#include "Texto.h"

namespace {

template <typename Texto>
Texto apararComo(const Texto& texto, auto codigo) {
    qsizetype inicio = 0;
    qsizetype fim = texto.size();
    while (inicio < fim && codigo(texto[inicio]) <= 32)
        ++inicio;
    while (fim > inicio && codigo(texto[fim - 1]) <= 32)
        --fim;
    return texto.mid(inicio, fim - inicio);
}

}  // namespace

QString SomenteNumeros(const QString& texto) {
    QString numeros;
    numeros.reserve(texto.size());
    for (QChar c : texto) {
        if (c >= u'0' && c <= u'9')
            numeros.append(c);
    }
    return numeros;
}

QString Aparar(const QString& texto) {
    return apararComo(texto, [](QChar c) { return c.unicode(); });
}

QByteArray Aparar(const QByteArray& texto) {
    return apararComo(texto, [](char c) { return static_cast<unsigned char>(c); });
}
