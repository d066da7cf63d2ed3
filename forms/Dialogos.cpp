#include "Dialogos.h"

#include "Erro.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

namespace {

struct Simulacao {
    bool ligada = false;
    QList<Dialogos::Mensagem> mostradas;
    QStringList pastas;
    QStringList arquivos;
};

Simulacao& simulacao() {
    static Simulacao s;
    return s;
}

// A preloaded answer is used once; with none left the chooser behaves as if cancelled.
QString ProximaResposta(QStringList& respostas) {
    return respostas.isEmpty() ? QString() : respostas.takeFirst();
}

QMessageBox::Icon IconeDaCaixa(Dialogos::Icone icone) {
    switch (icone) {
    case Dialogos::Icone::Aviso: return QMessageBox::Warning;
    case Dialogos::Icone::Erro: return QMessageBox::Critical;
    case Dialogos::Icone::Informacao: return QMessageBox::Information;
    case Dialogos::Icone::Nenhum: break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void Dialogos::Mostrar(QWidget* pai, const QString& texto, const QString& titulo, Icone icone) {
    if (simulacao().ligada) {
        simulacao().mostradas.append({texto, titulo, icone});
        return;
    }
    QMessageBox caixa(IconeDaCaixa(icone), titulo, texto, QMessageBox::Ok, pai);
    caixa.exec();
}

QString Dialogos::EscolherPasta(QWidget* pai, const QString& instrucao) {
    if (simulacao().ligada) return ProximaResposta(simulacao().pastas);
    // No starting folder on purpose: the current path is not proposed to the user.
    return QFileDialog::getExistingDirectory(pai, instrucao, QString(), QFileDialog::ShowDirsOnly);
}

QString Dialogos::EscolherArquivoParaSalvar(QWidget* pai, const QString& titulo, const QString& proposto,
                                            const QString& filtro) {
    if (simulacao().ligada) return ProximaResposta(simulacao().arquivos);
    return QFileDialog::getSaveFileName(pai, titulo, proposto, filtro, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

void Dialogos::Simular(bool ligado) {
    simulacao() = Simulacao{};
    simulacao().ligada = ligado;
}

QList<Dialogos::Mensagem>& Dialogos::Mostradas() { return simulacao().mostradas; }

void Dialogos::ProximaPasta(const QString& caminho) { simulacao().pastas.append(caminho); }

void Dialogos::ProximoArquivo(const QString& caminho) { simulacao().arquivos.append(caminho); }

void Mensagem(QWidget* pai, const QString& texto, int tipo, const QString& titulo) {
    const auto legenda = [&](const QString& padrao) {
        return Iif(titulo.isEmpty(), padrao, titulo).toString();
    };
    switch (tipo) {
    case 0: Dialogos::Mostrar(pai, texto, legenda(QStringLiteral("Atenção")), Dialogos::Icone::Aviso); break;
    case 1: Dialogos::Mostrar(pai, texto, legenda(QStringLiteral("Erro")), Dialogos::Icone::Erro); break;
    case 2: Dialogos::Mostrar(pai, texto, legenda(QStringLiteral("Informação")), Dialogos::Icone::Informacao); break;
    default: Dialogos::Mostrar(pai, texto, titulo, Dialogos::Icone::Nenhum); break;
    }
}

QVariant Iif(bool condicao, const QVariant& seVerdadeiro, const QVariant& seFalso) {
    return condicao ? seVerdadeiro : seFalso;
}

void MostrarErro(QWidget* pai, const QString& texto) {
    QString mensagem = texto;
    if (!mensagem.isEmpty() && mensagem.back() > QLatin1Char('.')) mensagem += QLatin1Char('.');
    const QString titulo = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    Dialogos::Mostrar(pai, mensagem, titulo, Dialogos::Icone::Erro);
}

void Protegido(QWidget* pai, const std::function<void()>& acao) {
    try {
        acao();
    } catch (const Erro& e) {
        MostrarErro(pai, e.texto());
    } catch (const std::exception& e) {
        MostrarErro(pai, QString::fromUtf8(e.what()));
    }
}
