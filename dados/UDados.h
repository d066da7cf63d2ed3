#pragma once

#include "IProgresso.h"
#include "Money.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <memory>

// The process-wide state (the one shared connection, the progress gauge, the head-office branch)
// and the export engine. Never instantiated: everything is class-level.
class TDadosExportacao {
public:
    TDadosExportacao() = delete;

    // --- shared state ---
    // Opens the shared connection from section "ip" of sistema_zuv.ini; errors pass unchanged
    // and leave no connection.
    static void Conectar();
    static QSqlDatabase GetConexao();
    static void SetProgresso(IProgresso* progresso);
    static IProgresso* Progresso();
    // [FilialMatriz] CodFisica of sistema_zuv.ini, cached once it is not -1.
    static int LerFilialMatriz();

    // --- queries of the main window ---
    // "select empresa_id, nome from empresa where apagado <> \"S\" order by nome"; caller owns it.
    static std::unique_ptr<QSqlQuery> ConsultarEmpresas();
    // "<id> - <nome> (<cgc>)", or "FILIAL NÃO LOCALIZADA"; database errors pass on.
    static QString DescricaoFilial(int filial);

    // --- record layout: every result has exactly its record's width, no line terminator ---
    static QByteArray RegistroHeader(const QByteArray& cnpj, const QByteArray& nome, const QDateTime& momento);
    static QByteArray RegistroCupom(const QByteArray& codigoFilial, bool comReceita, const QByteArray& chapa,
                                    int documentoFiscal, const QDateTime& datahora, Money total);
    static QByteArray RegistroItem(const QByteArray& classe, int produto, const QByteArray& barras,
                                   const QByteArray& descricao, int quantidade, Money valorUnitario,
                                   const QByteArray& crm);
    static QByteArray RegistroTrailer(int itens, int cupons, Money totalItens, Money totalCupons);

    static QByteArray PreencherEsquerda(const QByteArray& texto, int largura, char pad);
    static QByteArray PreencherDireita(const QByteArray& texto, int largura, char pad);
    static QByteArray RepetirCaractere(char c, int quantidade);
    static QByteArray Iif(bool condicao, const QByteArray& seVerdadeiro, const QByteArray& seFalso);

    // --- export run ---
    // Builds the file for one company, period, date kind and prescription choice and returns the
    // message text. `consulta` must be bound to GetConexao(); it is left open on the coupon rows.
    static QString GerarArquivo(QSqlQuery& consulta, const QString& diretorio, bool porLancamento,
                                QDate inicio, QDate fim, bool comReceita, int empresa);
    static void PrepararItens(bool porLancamento, bool comReceita, QDate inicio, QDate fim, int empresa);
    static QString SqlCupons();
    // The part of a file name that tells the kind and the month: "COM RECEITA_032024".
    static QString PeriodoDoArquivo(bool comReceita, QDate inicio);
    static QSqlQuery NovaConsulta();
};
