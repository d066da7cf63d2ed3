#pragma once

#include <QString>
#include <QStringList>

// The head office's document as the settings window accepts it: the digits of any text must form
// a 14-digit CNPJ with both modulus-11 check digits right, or an 8-digit number whose last digit
// is the Luhn check digit of the first seven. Nothing here raises or shows anything.

// The ten 14-digit values made of one repeated digit, "00000000000000" to "99999999999999".
const QStringList& DocumentosBloqueados();

// True when the text is exactly one of DocumentosBloqueados().
bool DocumentoBloqueado(const QString& digitos);

bool ValidarDocumento(const QString& texto);
