// The one error of every codec, key-derivation, envelope and parse operation of the core.
#pragma once

#include <QString>

#include <exception>
#include <string>

class ErroDeCripto : public std::exception {
public:
    explicit ErroDeCripto(QString codigo) : codigo(std::move(codigo)), texto_(this->codigo.toStdString()) {}

    [[nodiscard]] const char *what() const noexcept override { return texto_.c_str(); }

    friend bool operator==(const ErroDeCripto &a, const ErroDeCripto &b) { return a.codigo == b.codigo; }

    // Short kebab-case code naming what failed, such as "falha-ao-decifrar".
    QString codigo;

private:
    std::string texto_;
};
