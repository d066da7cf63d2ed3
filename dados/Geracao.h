#pragma once

#include <QDate>
#include <QPair>
#include <QString>

// What the main window and the command-line companion share around a generation, so both
// propose the same period and speak the same texts.

// The period proposed when nothing else is chosen: the first and the last day of the month
// before the one of `hoje`.
QPair<QDate, QDate> PeriodoMesAnterior(QDate hoje);

// The head-office CNPJ and the output directory as the export settings file holds them: the
// text that refuses a generation, or empty when they allow one. The directory must exist, tried
// with the platform's separator at its end.
QString RecusaConfiguracao(const QString& cnpjMatriz, const QString& diretorio);

// Refuses a generation whose company is not the one listed.
QString MensagemEmpresaNaoSelecionada();

// The reason the shared connection could not be opened, as start-up tells it.
QString MensagemFalhaConexao(const QString& erro);
