#pragma once

#include <QByteArray>
#include <QSqlQuery>

// The export file as it is written when each coupon's items are fetched with a keyed query of
// their own ("select * from tmp_itens_exportacao where filial_id = X and numlanc = Y"), the
// straightforward way the engine's single read must agree with byte for byte.
// `cupons` is the caller's query after a run (walked from its first row); `header` is the H
// record of the file under comparison, since it carries the clock.
QByteArray ArquivoPorCupom(QSqlQuery& cupons, bool comReceita, const QByteArray& header);
