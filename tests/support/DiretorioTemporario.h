// A temporary folder that stands in for the user's data and configuration folders while a test
// runs: XDG_DATA_HOME and XDG_CONFIG_HOME point inside it and are restored afterwards.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <optional>

class DiretorioTemporario {
public:
    DiretorioTemporario();
    ~DiretorioTemporario();

    DiretorioTemporario(const DiretorioTemporario &) = delete;
    DiretorioTemporario &operator=(const DiretorioTemporario &) = delete;

    [[nodiscard]] QString caminho() const { return pasta_.path(); }
    [[nodiscard]] QString dados() const { return pasta_.path() + QStringLiteral("/dados"); }
    [[nodiscard]] QString configuracao() const { return pasta_.path() + QStringLiteral("/configuracao"); }
    // A path inside the folder.
    [[nodiscard]] QString arquivo(const QString &nome) const { return pasta_.path() + QLatin1Char('/') + nome; }

private:
    QTemporaryDir pasta_;
    std::optional<QByteArray> dadosAntes_;
    std::optional<QByteArray> configuracaoAntes_;
};
