#include "ValidacaoDocumento.h"

#include "Texto.h"

namespace {

int Digito(const QString& digitos, int posicao) { return digitos.at(posicao - 1).digitValue(); }

// Luhn over positions 1 to 7: odd positions doubled, a two-digit product reduced to its digit sum.
bool OitoDigitosValidos(const QString& d) {
    int soma = 0;
    for (int p = 1; p <= 7; ++p) {
        int v = Digito(d, p);
        if (p % 2 == 1) v *= 2;
        if (v >= 10) v -= 9;
        soma += v;
    }
    const int resto = soma % 10;
    return Digito(d, 8) == (resto == 0 ? 0 : 10 - resto);
}

// Weights start at `inicio`, fall by one to 2 and wrap to 9.
int DigitoVerificador(const QString& d, int posicoes, int inicio) {
    int soma = 0;
    int peso = inicio;
    for (int p = 1; p <= posicoes; ++p) {
        soma += Digito(d, p) * peso;
        peso = peso == 2 ? 9 : peso - 1;
    }
    const int resto = soma % 11;
    return resto < 2 ? 0 : 11 - resto;
}

bool QuatorzeDigitosValidos(const QString& d) {
    int total = 0;
    for (const QChar c : d) total += c.digitValue();
    if (d.size() != 14 || total == 0) return false;
    return Digito(d, 13) == DigitoVerificador(d, 12, 5) && Digito(d, 14) == DigitoVerificador(d, 13, 6);
}

}  // namespace

const QStringList& DocumentosBloqueados() {
    static const QStringList lista = [] {
        QStringList l;
        for (char c = '0'; c <= '9'; ++c) l.append(QString(14, QLatin1Char(c)));
        return l;
    }();
    return lista;
}

bool DocumentoBloqueado(const QString& digitos) { return DocumentosBloqueados().contains(digitos); }

bool ValidarDocumento(const QString& texto) {
    const QString d = SomenteNumeros(texto);
    if (DocumentoBloqueado(d)) return false;
    // Eight zeros have the value 0 and fall through to the fourteen-digit rule, which refuses them.
    const bool zero = d.count(QLatin1Char('0')) == d.size();
    if (d.size() == 8 && !zero) return OitoDigitosValidos(d);
    return QuatorzeDigitosValidos(d);
}
