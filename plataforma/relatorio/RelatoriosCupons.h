#pragma once

#include "ModeloRelatorio.h"

#include <QDate>
#include <QString>

class QSqlQuery;
class Relatorio;
class TabelaDados;

// The two coupon reports, identical but for the title and where the page counter sits.
ModeloRelatorio ModeloRelPromed();    // "Relatório PROMED", the file with prescription
ModeloRelatorio ModeloRelProfarma();  // "Relatório PROFARM", the file without

// "Período: 01/05/2024 até 31/05/2024".
QString TextoPeriodo(QDate de, QDate ate);
// A file name needs no slashes: "Relatório PROMED - 01-05-2024 a 31-05-2024".
QString NomeArquivoRelatorio(const QString& titulo, QDate de, QDate ate);

// Sets the preview options (not modal; export, zoom, find and navigation), the variable
// `periodo` from the period, and prepares the pages from the coupon rows.
void PrepararRelatorio(Relatorio& relatorio, QDate de, QDate ate, const TabelaDados& dados);
// The same from every row of the query (QryDados after an export run); the query stays open.
void PrepararRelatorio(Relatorio& relatorio, QDate de, QDate ate, QSqlQuery& consulta);
