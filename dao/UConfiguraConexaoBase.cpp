#include "UConfiguraConexaoBase.h"

namespace {
constexpr int PortaPadrao = 3306;
}

void TConfiguraConexaoBase::SepararPorta(const QString& endereco, QString& host, int& porta) {
    // The digits right after the first colon are the port; the walk stops at the first other
    // character that follows them, while later colons only keep the walk going.
    QString textoPorta;
    bool depoisDoisPontos = false;
    for (const QChar c : endereco) {
        if (c == u':') {
            depoisDoisPontos = true;
        } else if (depoisDoisPontos) {
            if (c < u'0' || c > u'9') break;
            textoPorta += c;
        }
    }

    host = endereco;
    host.remove(u':' + textoPorta);

    bool ok = false;
    const int valor = textoPorta.toInt(&ok, 10);
    porta = ok ? valor : PortaPadrao;
}
