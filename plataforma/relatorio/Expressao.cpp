#include "Expressao.h"

#include "Erro.h"
#include "Money.h"
#include "TabelaDados.h"

#include <QDateTime>
#include <QRegularExpression>

namespace {

// Variables may name other variables; a loop among them must not recurse forever.
constexpr int kProfundidadeMaxima = 16;

struct FormatoNumerico {
    int largura = 0;
    int casas = 0;
};

FormatoNumerico lerFormato(const QString& formato) {
    static const QRegularExpression padrao(QString::fromLatin1(R"re(^%(\d*)\.(\d+)f$)re"));
    const QRegularExpressionMatch m = padrao.match(formato);
    if (!m.hasMatch())
        throw Erro(QStringLiteral("Formato de exibição não suportado: \"%1\"").arg(formato));
    return {m.captured(1).toInt(), m.captured(2).toInt()};
}

QString lerLiteral(const QString& e) {
    QString texto;
    qsizetype i = 1;
    for (; i < e.size(); ++i) {
        if (e[i] != u'\'') {
            texto += e[i];
        } else if (i + 1 < e.size() && e[i + 1] == u'\'') {
            texto += u'\'';
            ++i;
        } else {
            break;
        }
    }
    if (i != e.size() - 1)
        throw Erro(QStringLiteral("Texto mal formado na expressão do relatório: %1").arg(e));
    return texto;
}

int coluna(const QString& dataSet, const QString& nome, const ContextoExpressao& c) {
    const int indice = dataSet.compare(c.nomeDados, Qt::CaseInsensitive) == 0 && c.dados
                           ? c.dados->indiceColuna(nome)
                           : -1;
    if (indice < 0)
        throw Erro(QStringLiteral("Campo desconhecido no relatório: %1.\"%2\"").arg(dataSet, nome));
    return indice;
}

QString somar(const QString& dataSet, const QString& nome, const ContextoExpressao& c) {
    const int col = coluna(dataSet, nome, c);
    Money soma;
    for (int linha = 0; linha < c.dados->quantidadeLinhas(); ++linha)
        soma += Money::deVariant(c.dados->valor(linha, col));
    return soma.formatar(4, u'.');
}

QVariant avaliar(QStringView expressao, ContextoExpressao& c, int profundidade) {
    const QString e = expressao.trimmed().toString();
    if (e.isEmpty())
        return {};  // a declared variable nobody has set yet
    if (e.startsWith(u'\''))
        return lerLiteral(e);
    if (e.compare(u"Page", Qt::CaseInsensitive) == 0) {
        c.usouPagina = true;
        return c.pagina;
    }
    if (e.compare(u"TotalPages#", Qt::CaseInsensitive) == 0) {
        c.usouPagina = true;
        return c.totalPaginas;
    }

    // The band and option arguments of SUM only matter for group totals; these reports have none.
    static const QRegularExpression soma(QString::fromLatin1(R"re(^SUM\(\s*<\s*(\w+)\s*\.\s*"([^"]*)"\s*>(\s*,\s*\d+){0,2}\s*\)$)re"),
                                         QRegularExpression::CaseInsensitiveOption);
    if (const auto m = soma.match(e); m.hasMatch())
        return somar(m.captured(1), m.captured(2), c);

    static const QRegularExpression campo(QString::fromLatin1(R"re(^(\w+)\s*\.\s*"([^"]*)"$)re"));
    if (const auto m = campo.match(e); m.hasMatch()) {
        const int col = coluna(m.captured(1), m.captured(2), c);
        return c.linha >= 0 ? c.dados->valor(c.linha, col) : QVariant();
    }

    if (c.variaveis && c.variaveis->contains(e)) {
        if (profundidade >= kProfundidadeMaxima)
            throw Erro(QStringLiteral("Variável do relatório definida em ciclo: %1").arg(e));
        return avaliar(c.variaveis->value(e), c, profundidade + 1);
    }
    throw Erro(QStringLiteral("Expressão inválida no relatório: %1").arg(e));
}

// The closing bracket of the expression opened at `inicio`, skipping quoted text.
qsizetype fimDaExpressao(const QString& texto, qsizetype inicio) {
    QChar aspa;
    for (qsizetype i = inicio + 1; i < texto.size(); ++i) {
        const QChar ch = texto[i];
        if (!aspa.isNull()) {
            if (ch == aspa)
                aspa = QChar();
        } else if (ch == u'\'' || ch == u'"') {
            aspa = ch;
        } else if (ch == u']') {
            return i;
        }
    }
    throw Erro(QStringLiteral("Expressão sem \"]\" no relatório: %1").arg(texto));
}

QString textoData(const QDateTime& momento) {
    const QLocale locale = LocaleRelatorio();
    // Like the date-and-time text of the Windows platform: no time at exactly midnight.
    if (momento.time() == QTime(0, 0))
        return locale.toString(momento.date(), QStringLiteral("dd/MM/yyyy"));
    return locale.toString(momento, QStringLiteral("dd/MM/yyyy hh:mm:ss"));
}

}  // namespace

QLocale LocaleRelatorio() { return QLocale(QLocale::Portuguese, QLocale::Brazil); }

QVariant AvaliarExpressao(QStringView expressao, ContextoExpressao& contexto) {
    return avaliar(expressao, contexto, 0);
}

TextoAvaliado AvaliarConteudo(const QString& conteudo, const QString& formato, ContextoExpressao& contexto) {
    TextoAvaliado resultado;
    int expressoes = 0;
    bool haTextoFora = false;
    qsizetype i = 0;
    while (i < conteudo.size()) {
        const qsizetype abre = conteudo.indexOf(u'[', i);
        if (abre < 0) {
            resultado.texto += conteudo.mid(i);
            haTextoFora = true;
            break;
        }
        if (abre > i)
            haTextoFora = true;
        resultado.texto += conteudo.mid(i, abre - i);
        const qsizetype fecha = fimDaExpressao(conteudo, abre);
        const QVariant valor = AvaliarExpressao(QStringView(conteudo).mid(abre + 1, fecha - abre - 1), contexto);
        resultado.texto += TextoDoValor(valor, formato);
        resultado.valor = valor;
        ++expressoes;
        i = fecha + 1;
    }
    if (expressoes != 1 || haTextoFora)
        resultado.valor = QVariant();
    return resultado;
}

QString TextoDoValor(const QVariant& valor, const QString& formato) {
    if (!valor.isValid() || valor.isNull())
        return {};
    if (!formato.isEmpty()) {
        const FormatoNumerico f = lerFormato(formato);
        const QChar separador = LocaleRelatorio().decimalPoint().at(0);
        return Money::deVariant(valor).formatar(f.casas, separador).rightJustified(f.largura, u' ');
    }
    switch (valor.typeId()) {
    case QMetaType::QDateTime:
        return textoData(valor.toDateTime());
    case QMetaType::QDate:
        return LocaleRelatorio().toString(valor.toDate(), QStringLiteral("dd/MM/yyyy"));
    case QMetaType::QTime:
        return LocaleRelatorio().toString(valor.toTime(), QStringLiteral("hh:mm:ss"));
    case QMetaType::Double:
    case QMetaType::Float:
        // Fifteen significant digits, no thousands separator, the locale's decimal separator.
        return QString::number(valor.toDouble(), 'g', 15).replace(u'.', LocaleRelatorio().decimalPoint());
    default:
        return valor.toString();
    }
}

int CasasDoFormato(const QString& formato) { return lerFormato(formato).casas; }

QString LiteralTexto(const QString& texto) {
    QString dobrado = texto;
    dobrado.replace(u'\'', QStringLiteral("''"));
    return u'\'' + dobrado + u'\'';
}
