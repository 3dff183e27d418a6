#include "kit/TraducoesDoQt.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

int TraducoesDoQt::carregar(const QLocale &idioma)
{
    const QString pasta = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    int carregados = 0;
    for (const QString &modulo : modulos) {
        // Owned by the application, which keeps it installed for the rest of the run.
        auto *tradutor = new QTranslator(QCoreApplication::instance());
        if (tradutor->load(idioma, modulo, QStringLiteral("_"), pasta) && QCoreApplication::installTranslator(tradutor)) {
            ++carregados;
            continue;
        }
        delete tradutor;
    }
    return carregados;
}
