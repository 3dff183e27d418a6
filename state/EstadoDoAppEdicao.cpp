#include "state/EstadoDoApp.h"

void EstadoDoApp::editar(const EdicaoNoMac &edicao)
{
    // An open sheet is never replaced: its typed changes would be lost. It closes first.
    if (fase_ != Fase::aberto || !cofre_ || edicao_)
        return;
    edicao_ = edicao;
    emit edicaoMudou();
}

void EstadoDoApp::editar(const QString &tipo, const QString &item)
{
    const std::optional<TipoDeItem> caso = tipoDeItem(tipo);
    if (!caso)
        return;
    editar(EdicaoNoMac{*caso, item.isEmpty() ? std::nullopt : std::optional<QString>(item)});
}

void EstadoDoApp::fecharEdicao()
{
    if (!edicao_)
        return;
    edicao_.reset();
    emit edicaoMudou();
}
