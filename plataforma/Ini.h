#pragma once

#include <QString>

// An INI file with the behaviour of the Windows profile functions, which the settings files of
// this system were made for:
// - section and key names match without regard to case; the first matching section/key wins;
// - values are read up to 2047 characters; surrounding blanks of a value are removed, and a value
//   wholly enclosed in matching single or double quotes loses the quotes;
// - integers are read in decimal with an optional sign, or in hex with a leading "$", "0x" or "0X";
//   anything else gives the default;
// - a write replaces that one key's line (or adds the key, and the section when missing) and keeps
//   every other line as it was; the file is written to a temporary file in the same folder and
//   renamed over the old one, so a refused write leaves the old file intact and raises
//   Erro("Unable to write to <full path>"); a line break inside a written value becomes a blank,
//   so that a value can never add lines of its own.
// The file is read on every call and never held open. Its text is Windows-1252 with CR LF lines.
class ArquivoIni {
public:
    explicit ArquivoIni(QString caminho);

    const QString& caminho() const { return m_caminho; }

    QString lerTexto(const QString& secao, const QString& chave, const QString& padrao) const;
    int lerInteiro(const QString& secao, const QString& chave, int padrao) const;

    void gravarTexto(const QString& secao, const QString& chave, const QString& valor);
    void gravarInteiro(const QString& secao, const QString& chave, int valor);

private:
    QString m_caminho;
};
