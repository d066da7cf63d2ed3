#include "Pastas.h"

#include <QCoreApplication>
#include <QDir>

namespace {

QString& pastaDefinida() {
    static QString pasta;
    return pasta;
}

}  // namespace

QString PastaConfiguracao() {
    const QString& definida = pastaDefinida();
    if (!definida.isEmpty())
        return definida;
    return ComSeparadorFinal(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
}

void DefinirPastaConfiguracao(const QString& pasta) {
    pastaDefinida() = pasta.isEmpty() ? QString() : ComSeparadorFinal(pasta);
}

bool TerminaComSeparador(const QString& caminho) {
    if (caminho.isEmpty())
        return false;
    const QChar ultimo = caminho.back();
#ifdef Q_OS_WIN
    return ultimo == u'\\' || ultimo == u'/';
#else
    return ultimo == u'/';
#endif
}

QString ComSeparadorFinal(const QString& caminho) {
    return TerminaComSeparador(caminho) ? caminho : caminho + QDir::separator();
}
