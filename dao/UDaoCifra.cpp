// The password cipher of the ERP's settings file and of its table config_central.
#include "UDao.h"

#include "Erro.h"
#include "Texto.h"

#include <QRandomGenerator>
#include <cctype>
#include <chrono>

namespace {

// Positions of the key run 1, 2, ..., length, 1, 2, ... (counted from 1).
class PosicaoChave {
public:
    explicit PosicaoChave(const QByteArray& chave) : m_chave(chave) {}
    quint8 proximo() {
        // Reading past an empty key would read outside it.
        if (m_chave.isEmpty()) throw Erro(QStringLiteral("A chave da cifra está vazia."));
        m_k = m_k < m_chave.size() ? m_k + 1 : 1;
        return static_cast<quint8>(m_chave.at(m_k - 1));
    }

private:
    const QByteArray& m_chave;
    qsizetype m_k = 0;
};

QByteArray hex2(int valor) { return QByteArray::number(valor, 16).toUpper().rightJustified(2, '0'); }

// A piece must be one or two hexadecimal digits; anything else is the conversion error the
// caller expects from a damaged stored password.
int lerPeca(const QByteArray& peca) {
    bool ok = !peca.isEmpty();
    for (const char c : peca) ok = ok && std::isxdigit(static_cast<unsigned char>(c));
    if (!ok) throw Erro(QStringLiteral("'$%1' is not a valid integer value").arg(QString::fromLatin1(peca)));
    return peca.toInt(nullptr, 16);
}

QByteArray cifrar(const QByteArray& texto, const QByteArray& chave) {
    // Reseeded from the clock on every call, so the same text is usually stored differently.
    QRandomGenerator gerador(static_cast<quint32>(std::chrono::steady_clock::now().time_since_epoch().count()));
    const int semente = static_cast<int>(gerador.bounded(256));
    PosicaoChave posicao(chave);
    QByteArray resultado = hex2(semente);
    int anterior = semente;
    for (const char c : texto) {
        int v = (static_cast<quint8>(c) + anterior) % 255;
        v ^= posicao.proximo();
        resultado += hex2(v);
        anterior = v;
    }
    return resultado;
}

QByteArray decifrar(const QByteArray& texto, const QByteArray& chave) {
    int semente = lerPeca(texto.mid(0, 2));
    PosicaoChave posicao(chave);
    QByteArray resultado;
    qsizetype i = 2;  // zero-based start of the next piece
    do {
        const int c = lerPeca(texto.mid(i, 2));
        const int t = posicao.proximo() ^ c;
        const int codigo = semente < t ? t - semente : t + 255 - semente;
        resultado += static_cast<char>(codigo);
        semente = c;
        i += 2;
    } while (texto.size() > i + 1);
    return resultado;
}

}  // namespace

QByteArray Codificar(const QByteArray& modo, const QByteArray& texto, const QByteArray& chave) {
    if (modo == "E") return cifrar(texto, chave);
    if (modo == "D") return decifrar(texto, chave);
    return QByteArray();
}

QByteArray DecodificarSenha(const QByteArray& armazenado, const QByteArray& chave) {
    if (Aparar(armazenado).isEmpty()) return QByteArray();
    return Codificar("D", armazenado, chave);
}
