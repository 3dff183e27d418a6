// The main window root's start-up work: the session restore, the first update check and the first
// AutoFill status read, started together when the root is first shown and none waiting for
// another; and a fresh AutoFill status read every time the application becomes active.
#pragma once

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

class EstadoDoApp;
class QQuickWindow;
class SituacaoDoPreenchimento;
class VerificadorDeAtualizacao;

class TarefasDaRaiz : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(EstadoDoApp *estado MEMBER estado_)
    Q_PROPERTY(VerificadorDeAtualizacao *atualizacao MEMBER atualizacao_)
    Q_PROPERTY(SituacaoDoPreenchimento *preenchimento MEMBER preenchimento_)
    // Whether the start-up work has been started (once per root).
    Q_PROPERTY(bool comecou READ comecou NOTIFY comecouMudou)

public:
    explicit TarefasDaRaiz(QObject *pai = nullptr);

    // Starts the three start-up tasks; a second call does nothing.
    Q_INVOKABLE void comecar();
    // Starts them once `janela` has shown its first frame, so that the keychain and the local
    // copy are read with the window already on screen (showing the start-up fill); at once
    // without a window, or when the window is minimised before it draws.
    Q_INVOKABLE void comecarDepoisDoPrimeiroQuadro(QQuickWindow *janela);
    [[nodiscard]] bool comecou() const { return comecou_; }

public slots:
    void aoMudarEstadoDaAplicacao(Qt::ApplicationState estado);

signals:
    void comecouMudou();

private:
    QPointer<EstadoDoApp> estado_;
    QPointer<VerificadorDeAtualizacao> atualizacao_;
    QPointer<SituacaoDoPreenchimento> preenchimento_;
    bool comecou_ = false;
};
