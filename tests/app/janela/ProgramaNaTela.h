// What the end-to-end tests of the whole program share: the program pointed at the development
// server, with an in-memory keychain in temporary folders and an owner check that says yes and
// records why it was asked.
#pragma once

#include "app/CorvaneMacApp.h"
#include "servicos/Seguranca.h"
#include "plataforma/InfoDoPacote.h"
#include "servidor/ServidorDeDesenvolvimento.h"
#include "support/CofreDeSegredosEmMemoria.h"
#include "support/DiretorioTemporario.h"
#include "support/quick/TesteQuick.h"

#include <memory>

class ProgramaNaTela : public TesteQuick {
protected:
    void SetUp() override
    {
        segredos = CofreDeSegredosEmMemoria::instalar();
        servidor.iniciar();
        CorvaneMacApp::usarServidor(servidor.endereco().toString());
        Seguranca::registrarAutenticador([this](QString motivo) -> QCoro::Task<bool> {
            motivos.append(motivo);
            co_return true;
        });
        TesteQuick::SetUp();
    }
    void TearDown() override
    {
        TesteQuick::TearDown();
        Seguranca::removerAutenticador();
        InfoDoPacote::substituir(std::nullopt);
        CofreDeSegredos::usar(nullptr);
    }

    DiretorioTemporario pasta;
    std::shared_ptr<CofreDeSegredosEmMemoria> segredos;
    Servidor::ServidorDeDesenvolvimento servidor;
    QStringList motivos;
};
