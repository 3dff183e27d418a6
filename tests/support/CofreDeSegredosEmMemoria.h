// An in-memory secret store for tests: it can be made unavailable or made to refuse writes, and
// it records every query it was asked.
#pragma once

#include "plataforma/CofreDeSegredos.h"

#include <QList>

#include <map>
#include <memory>
#include <mutex>
#include <tuple>

class CofreDeSegredosEmMemoria final : public CofreDeSegredos {
public:
    // A new store installed as this process's current one.
    static std::shared_ptr<CofreDeSegredosEmMemoria> instalar();

    [[nodiscard]] LeituraDeSegredo ler(const ConsultaDeSegredo &consulta) override;
    [[nodiscard]] std::int32_t gravar(const ConsultaDeSegredo &consulta, const QByteArray &bytes) override;
    std::int32_t apagar(const ConsultaDeSegredo &consulta) override;

    // While true, reads are `indisponivel` and writes and deletes fail with `statusIndisponivel`.
    void tornarIndisponivel(bool indisponivel);
    // While set, writes fail with this status and change nothing.
    void fazerEscritasFalharem(std::optional<std::int32_t> status);

    [[nodiscard]] qsizetype quantidade() const;
    [[nodiscard]] QList<ConsultaDeSegredo> consultas() const;

private:
    using Chave = std::tuple<QString, QString, std::optional<QString>>;
    mutable std::mutex guarda_;
    std::map<Chave, QByteArray> itens_;
    QList<ConsultaDeSegredo> consultas_;
    bool indisponivel_ = false;
    std::optional<std::int32_t> falhaDeEscrita_;
};
