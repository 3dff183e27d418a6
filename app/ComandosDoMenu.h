// The main window's menu commands: their texts and shortcuts, when each is enabled, and what each
// does. The two "Cofre" commands work only while the vault is open; a shortcut pressed while they
// are disabled does nothing. Main thread.
#pragma once

#include "state/EstadoDoApp.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>
#include <QPointer>
#include <QString>

class VerificadorDeAtualizacao;

enum class ComandoDoMenu { procurarAtualizacao, ajustes, bloquear, sincronizar };

// Whether `comando` is enabled in `fase`: the update check and the settings always, the vault's
// lock and sync only while it is open.
[[nodiscard]] bool comandoHabilitado(ComandoDoMenu comando, EstadoDoApp::Fase fase);

class ComandosDoMenu : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The menu commands are created by the program.")
    Q_PROPERTY(bool bloquearHabilitado READ bloquearHabilitado NOTIFY habilitacaoMudou)
    Q_PROPERTY(bool sincronizarHabilitado READ sincronizarHabilitado NOTIFY habilitacaoMudou)
    Q_PROPERTY(QString textoProcurarAtualizacao READ textoProcurarAtualizacao CONSTANT)
    Q_PROPERTY(QString textoAjustes READ textoAjustes CONSTANT)
    Q_PROPERTY(QString atalhoAjustes READ atalhoAjustes CONSTANT)
    Q_PROPERTY(QString tituloDoMenuCofre READ tituloDoMenuCofre CONSTANT)
    Q_PROPERTY(QString textoBloquear READ textoBloquear CONSTANT)
    Q_PROPERTY(QString atalhoBloquear READ atalhoBloquear CONSTANT)
    Q_PROPERTY(QString textoSincronizar READ textoSincronizar CONSTANT)
    Q_PROPERTY(QString atalhoSincronizar READ atalhoSincronizar CONSTANT)
    Q_PROPERTY(QString textoBuscar READ textoBuscar CONSTANT)
    Q_PROPERTY(QString atalhoBuscar READ atalhoBuscar CONSTANT)
    Q_PROPERTY(QString textoFecharJanela READ textoFecharJanela CONSTANT)
    Q_PROPERTY(QString atalhoFecharJanela READ atalhoFecharJanela CONSTANT)
    Q_PROPERTY(QString textoSair READ textoSair CONSTANT)
    Q_PROPERTY(QString atalhoSair READ atalhoSair CONSTANT)

public:
    ComandosDoMenu(EstadoDoApp *estado, VerificadorDeAtualizacao *atualizacao, QObject *pai = nullptr);

    [[nodiscard]] bool bloquearHabilitado() const;
    [[nodiscard]] bool sincronizarHabilitado() const;

    [[nodiscard]] static QString textoProcurarAtualizacao() { return QStringLiteral("Procurar atualização…"); }
    [[nodiscard]] static QString textoAjustes() { return QStringLiteral("Ajustes…"); }
    [[nodiscard]] static QString atalhoAjustes() { return QStringLiteral("Ctrl+,"); }
    [[nodiscard]] static QString tituloDoMenuCofre() { return QStringLiteral("Cofre"); }
    [[nodiscard]] static QString textoBloquear() { return QStringLiteral("Bloquear o Corvane"); }
    [[nodiscard]] static QString atalhoBloquear() { return QStringLiteral("Ctrl+Shift+L"); }
    [[nodiscard]] static QString textoSincronizar() { return QStringLiteral("Sincronizar"); }
    [[nodiscard]] static QString atalhoSincronizar() { return QStringLiteral("Ctrl+R"); }
    [[nodiscard]] static QString textoBuscar() { return QStringLiteral("Buscar"); }
    [[nodiscard]] static QString atalhoBuscar() { return QStringLiteral("Ctrl+F"); }
    [[nodiscard]] static QString textoFecharJanela() { return QStringLiteral("Fechar janela"); }
    [[nodiscard]] static QString atalhoFecharJanela() { return QStringLiteral("Ctrl+W"); }
    [[nodiscard]] static QString textoSair() { return QStringLiteral("Sair"); }
    [[nodiscard]] static QString atalhoSair() { return QStringLiteral("Ctrl+Q"); }

    // "Procurar atualização…": a check in every phase.
    Q_INVOKABLE void procurarAtualizacao();
    // "Bloquear o Corvane": the state's lock, at once, when enabled.
    Q_INVOKABLE void bloquear();
    // "Sincronizar": a sync of the open vault store when enabled and one is open; else nothing.
    Q_INVOKABLE void sincronizar();

signals:
    void habilitacaoMudou();

private:
    QPointer<EstadoDoApp> estado_;
    QPointer<VerificadorDeAtualizacao> atualizacao_;
};
