#include "app/ComandosDoMenu.h"

#include "screens/menubar-settings/VerificadorDeAtualizacao.h"
#include "vault/Cofre.h"

bool comandoHabilitado(ComandoDoMenu comando, EstadoDoApp::Fase fase)
{
    switch (comando) {
    case ComandoDoMenu::procurarAtualizacao:
    case ComandoDoMenu::ajustes:
        return true;
    case ComandoDoMenu::bloquear:
    case ComandoDoMenu::sincronizar:
        return fase == EstadoDoApp::Fase::aberto;
    }
    return false;
}

ComandosDoMenu::ComandosDoMenu(EstadoDoApp *estado, VerificadorDeAtualizacao *atualizacao, QObject *pai)
    : QObject(pai), estado_(estado), atualizacao_(atualizacao)
{
    if (estado_)
        connect(estado_, &EstadoDoApp::faseMudou, this, &ComandosDoMenu::habilitacaoMudou);
}

bool ComandosDoMenu::bloquearHabilitado() const
{
    return estado_ && comandoHabilitado(ComandoDoMenu::bloquear, estado_->fase());
}

bool ComandosDoMenu::sincronizarHabilitado() const
{
    return estado_ && comandoHabilitado(ComandoDoMenu::sincronizar, estado_->fase());
}

void ComandosDoMenu::procurarAtualizacao()
{
    if (atualizacao_)
        atualizacao_->comecarProcura();
}

void ComandosDoMenu::bloquear()
{
    if (bloquearHabilitado())
        estado_->bloquear();
}

void ComandosDoMenu::sincronizar()
{
    if (!sincronizarHabilitado())
        return;
    // The store open now; it is held weakly, so a lock or sign-out meanwhile drops the sync.
    [](QPointer<Cofre> cofre) -> QCoro::Task<> {
        if (cofre)
            co_await cofre->sincronizar();
    }(estado_->cofre());
}
