// The fixed-width records of the export file and the fitting operations they are built with.
// Every record comes out at exactly its width, whatever its inputs, because the receiving side
// reads fields by position.

#include "UDados.h"

#include "Texto.h"

namespace {

constexpr int kLarguraHeader = 65;
constexpr int kLarguraCupom = 50;
constexpr int kLarguraItem = 120;
constexpr int kLarguraTrailer = 39;

QByteArray numero(qint64 valor) { return QByteArray::number(valor); }

QByteArray zeros(const QByteArray& texto, int largura) {
    return TDadosExportacao::PreencherEsquerda(texto, largura, '0');
}

QByteArray espacos(const QByteArray& texto, int largura) {
    return TDadosExportacao::PreencherDireita(texto, largura, ' ');
}

QByteArray centavos(Money valor, int largura) { return zeros(numero(valor.centavos()), largura); }

// A date field always keeps its width; a date that cannot be written gives zeros.
QByteArray data(const QDateTime& momento, const QString& padrao, int largura) {
    const QByteArray texto = momento.isValid() ? momento.toString(padrao).toLatin1() : QByteArray();
    return zeros(texto, largura);
}

// An empty or blank class is sent as "O" (other); otherwise the first character as read, so a
// class read with a leading blank gives that blank.
char letraClasse(const QByteArray& classe) { return Aparar(classe).isEmpty() ? 'O' : classe.at(0); }

}  // namespace

QByteArray TDadosExportacao::RepetirCaractere(char c, int quantidade) {
    return quantidade > 0 ? QByteArray(quantidade, c) : QByteArray();
}

// A width of zero or less gives the empty text (QByteArray::left would keep it all).
QByteArray TDadosExportacao::PreencherEsquerda(const QByteArray& texto, int largura, char pad) {
    if (texto.size() >= largura) return texto.left(qMax(largura, 0));
    return RepetirCaractere(pad, largura - int(texto.size())) + texto;
}

QByteArray TDadosExportacao::PreencherDireita(const QByteArray& texto, int largura, char pad) {
    if (texto.size() >= largura) return texto.left(qMax(largura, 0));
    return texto + RepetirCaractere(pad, largura - int(texto.size()));
}

QByteArray TDadosExportacao::Iif(bool condicao, const QByteArray& seVerdadeiro, const QByteArray& seFalso) {
    return condicao ? seVerdadeiro : seFalso;
}

QByteArray TDadosExportacao::RegistroHeader(const QByteArray& cnpj, const QByteArray& nome, const QDateTime& momento) {
    QByteArray r;
    r.reserve(kLarguraHeader);
    r += 'H';
    r += data(momento, QStringLiteral("ddMMyyyyhhmm"), 12);
    r += zeros(SomenteNumeros(QString::fromLatin1(cnpj)).toLatin1(), 14);
    r += espacos(nome, 35);
    r += "002";
    return r;
}

QByteArray TDadosExportacao::RegistroCupom(const QByteArray& codigoFilial, bool comReceita, const QByteArray& chapa,
                                           int documentoFiscal, const QDateTime& datahora, Money total) {
    QByteArray r;
    r.reserve(kLarguraCupom);
    r += 'C';
    r += zeros(codigoFilial, 4);
    r += Iif(comReceita, "S", "N");
    r += zeros(chapa, 16);
    r += zeros(numero(documentoFiscal), 7);
    r += data(datahora, QStringLiteral("ddMMyyyy"), 8);
    r += centavos(total, 13);
    return r;
}

QByteArray TDadosExportacao::RegistroItem(const QByteArray& classe, int produto, const QByteArray& barras,
                                          const QByteArray& descricao, int quantidade, Money valorUnitario,
                                          const QByteArray& crm) {
    QByteArray r;
    r.reserve(kLarguraItem);
    r += 'I';
    r += letraClasse(classe);
    r += zeros(numero(produto), 10);
    r += zeros(barras, 18);
    r += espacos(descricao, 40);
    r += zeros(numero(quantidade), 5);
    r += centavos(valorUnitario, 13);
    r += zeros(crm, 12);
    r += espacos(QByteArray(), 20);
    return r;
}

QByteArray TDadosExportacao::RegistroTrailer(int itens, int cupons, Money totalItens, Money totalCupons) {
    QByteArray r;
    r.reserve(kLarguraTrailer);
    r += 'T';
    r += zeros(numero(itens), 6);
    r += centavos(totalItens, 13);
    r += zeros(numero(cupons), 6);
    r += centavos(totalCupons, 13);
    return r;
}
