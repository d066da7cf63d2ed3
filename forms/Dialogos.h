#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <functional>

class QWidget;

// Every modal dialog of the program goes through here, so tests can run the windows headless:
// with Dialogos::Simular(true) nothing is shown, every message is recorded, and the folder and
// file choosers answer what the test preloaded (empty = cancelled).
class Dialogos {
public:
    enum class Icone { Nenhum, Aviso, Erro, Informacao };

    struct Mensagem {
        QString texto;
        QString titulo;
        Icone icone;
    };

    // A message box with a single OK button.
    static void Mostrar(QWidget* pai, const QString& texto, const QString& titulo, Icone icone);
    // A folder chooser showing the instruction text; "" when cancelled.
    static QString EscolherPasta(QWidget* pai, const QString& instrucao);
    // A save-file chooser proposing a name; "" when cancelled. Never asks before overwriting.
    static QString EscolherArquivoParaSalvar(QWidget* pai, const QString& titulo, const QString& proposto,
                                             const QString& filtro);

    // --- test hooks ---
    static void Simular(bool ligado);
    static QList<Mensagem>& Mostradas();
    static void ProximaPasta(const QString& caminho);
    static void ProximoArquivo(const QString& caminho);
};

// The windows' message helper: kind 0 "Atenção" + warning, 1 "Erro" + error, 2 "Informação" +
// information (a non-empty caption replaces the default); any other kind shows the caption as
// given, with no icon.
void Mensagem(QWidget* pai, const QString& texto, int tipo = 0, const QString& titulo = QString());

QVariant Iif(bool condicao, const QVariant& seVerdadeiro, const QVariant& seFalso);

// The general error display: the error's text (with a full stop appended when its last character
// sorts above "."), the executable's base name as caption, the error icon.
void MostrarErro(QWidget* pai, const QString& texto);

// Runs one user action (click, key, showing of a window); an error escaping it is shown by
// MostrarErro and the action ends there.
void Protegido(QWidget* pai, const std::function<void()>& acao);
