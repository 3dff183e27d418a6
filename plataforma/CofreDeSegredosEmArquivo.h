// The secret store for machines without a Secret Service: one owner-only JSON file whose
// rewrites are atomic and serialised by a lock beside it, so both programs can share it.
// The secrets are only as safe as the user's account: this store is chosen explicitly.
#pragma once

#include "plataforma/CofreDeSegredos.h"

class CofreDeSegredosEmArquivo final : public CofreDeSegredos {
public:
    // The shared file, $XDG_DATA_HOME/corvane/segredos.json.
    CofreDeSegredosEmArquivo();
    explicit CofreDeSegredosEmArquivo(QString caminhoDoArquivo);

    [[nodiscard]] static QString caminhoPadrao();
    [[nodiscard]] const QString &caminho() const { return caminho_; }

    [[nodiscard]] LeituraDeSegredo ler(const ConsultaDeSegredo &consulta) override;
    [[nodiscard]] std::int32_t gravar(const ConsultaDeSegredo &consulta, const QByteArray &bytes) override;
    std::int32_t apagar(const ConsultaDeSegredo &consulta) override;

private:
    QString caminho_;
};
