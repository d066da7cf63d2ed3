#pragma once

#include <QLocale>
#include <QMap>
#include <QString>
#include <QStringView>
#include <QVariant>

class TabelaDados;

// The locale every report is written in: Brazilian Portuguese, whatever the machine's.
QLocale LocaleRelatorio();

// What an expression may refer to while one band of one page is being filled in.
struct ContextoExpressao {
    const TabelaDados* dados = nullptr;
    QString nomeDados;
    const QMap<QString, QString>* variaveis = nullptr;
    int linha = -1;  // the current row; -1 outside the data band
    int pagina = 0;
    int totalPaginas = 0;
    // Set once [Page] or [TotalPages#] was read: such text is only true on its own page.
    bool usouPagina = false;
};

// Evaluates one expression of the report language, the few forms the templates use:
// a string literal 'texto' (quotes doubled inside), a field dataSet."coluna", a variable name,
// Page, TotalPages# and SUM(<dataSet."coluna">[,banda[,opções]]) over every row. Throws Erro
// on anything else. SUM gives the exact decimal text of the total.
QVariant AvaliarExpressao(QStringView expressao, ContextoExpressao& contexto);

struct TextoAvaliado {
    QString texto;
    // The value behind a text that is exactly one expression (exports keep its type); else invalid.
    QVariant valor;
};

// Replaces every [expressão] in the text by its value shown through the display format.
TextoAvaliado AvaliarConteudo(const QString& conteudo, const QString& formato, ContextoExpressao& contexto);

// A value as the report shows it. With a numeric format "%W.Pf": P decimals with the locale's
// separator, no thousands separator, padded to W characters; without: the value's default text
// (a date and time as dd/MM/yyyy hh:mm:ss, the time left out at midnight). Null shows nothing.
QString TextoDoValor(const QVariant& valor, const QString& formato);

// The decimals of a numeric display format ("%2.2f" -> 2); throws Erro when it is not one.
int CasasDoFormato(const QString& formato);

// The text as a string literal of the report language: in single quotes, inner quotes doubled.
QString LiteralTexto(const QString& texto);
