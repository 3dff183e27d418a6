#include "support/CofreDeSegredosEmMemoria.h"

namespace {

auto chaveDe(const ConsultaDeSegredo &consulta)
{
    return std::make_tuple(consulta.servico, consulta.conta, consulta.grupo);
}

} // namespace

std::shared_ptr<CofreDeSegredosEmMemoria> CofreDeSegredosEmMemoria::instalar()
{
    auto cofre = std::make_shared<CofreDeSegredosEmMemoria>();
    CofreDeSegredos::usar(cofre);
    return cofre;
}

LeituraDeSegredo CofreDeSegredosEmMemoria::ler(const ConsultaDeSegredo &consulta)
{
    const std::lock_guard trava(guarda_);
    consultas_.append(consulta);
    if (indisponivel_)
        return LeituraDeSegredo::indisponivel();
    const auto item = itens_.find(chaveDe(consulta));
    return item == itens_.end() ? LeituraDeSegredo::ausente() : LeituraDeSegredo::presente(item->second);
}

std::int32_t CofreDeSegredosEmMemoria::gravar(const ConsultaDeSegredo &consulta, const QByteArray &bytes)
{
    const std::lock_guard trava(guarda_);
    consultas_.append(consulta);
    if (indisponivel_)
        return statusIndisponivel;
    if (falhaDeEscrita_)
        return *falhaDeEscrita_;
    itens_[chaveDe(consulta)] = bytes;
    return statusSucesso;
}

std::int32_t CofreDeSegredosEmMemoria::apagar(const ConsultaDeSegredo &consulta)
{
    const std::lock_guard trava(guarda_);
    consultas_.append(consulta);
    if (indisponivel_)
        return statusIndisponivel;
    itens_.erase(chaveDe(consulta));
    return statusSucesso;
}

void CofreDeSegredosEmMemoria::tornarIndisponivel(bool indisponivel)
{
    const std::lock_guard trava(guarda_);
    indisponivel_ = indisponivel;
}

void CofreDeSegredosEmMemoria::fazerEscritasFalharem(std::optional<std::int32_t> status)
{
    const std::lock_guard trava(guarda_);
    falhaDeEscrita_ = status;
}

qsizetype CofreDeSegredosEmMemoria::quantidade() const
{
    const std::lock_guard trava(guarda_);
    return static_cast<qsizetype>(itens_.size());
}

QList<ConsultaDeSegredo> CofreDeSegredosEmMemoria::consultas() const
{
    const std::lock_guard trava(guarda_);
    return consultas_;
}
