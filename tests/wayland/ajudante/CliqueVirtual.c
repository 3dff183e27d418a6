/* corvane-clique-wayland X Y [EXTENSAO_X EXTENSAO_Y]: moves a virtual pointer to (X, Y) of the
 * compositor's layout (of the given extent, 1600x1000 by default) and clicks the left button,
 * as a person's mouse would. The headless seat has no pointer until a client makes one. */
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <wayland-client.h>

#define BOTAO_ESQUERDO 0x110 /* BTN_LEFT */

static struct wl_seat *assento;
static struct zwlr_virtual_pointer_manager_v1 *gerente;

static void anunciado(void *dados, struct wl_registry *registro, uint32_t nome, const char *interface, uint32_t versao)
{
    (void)dados;
    (void)versao;
    if (strcmp(interface, wl_seat_interface.name) == 0 && !assento)
        assento = wl_registry_bind(registro, nome, &wl_seat_interface, 1);
    else if (strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        gerente = wl_registry_bind(registro, nome, &zwlr_virtual_pointer_manager_v1_interface, 1);
}

static void removido(void *dados, struct wl_registry *registro, uint32_t nome)
{
    (void)dados;
    (void)registro;
    (void)nome;
}

static const struct wl_registry_listener ouvinte = {anunciado, removido};

static uint32_t agora(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (uint32_t)(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}

static void pausa(long ms)
{
    struct timespec t = {ms / 1000, (ms % 1000) * 1000000};
    nanosleep(&t, NULL);
}

int main(int argc, char **argv)
{
    if (argc != 3 && argc != 5) {
        fprintf(stderr, "uso: %s X Y [EXTENSAO_X EXTENSAO_Y]\n", argv[0]);
        return 2;
    }
    const uint32_t x = (uint32_t)strtoul(argv[1], NULL, 10), y = (uint32_t)strtoul(argv[2], NULL, 10);
    const uint32_t largura = argc == 5 ? (uint32_t)strtoul(argv[3], NULL, 10) : 1600;
    const uint32_t altura = argc == 5 ? (uint32_t)strtoul(argv[4], NULL, 10) : 1000;
    struct wl_display *tela = wl_display_connect(NULL);
    if (!tela) {
        fprintf(stderr, "sem conexão com o compositor\n");
        return 1;
    }
    struct wl_registry *registro = wl_display_get_registry(tela);
    wl_registry_add_listener(registro, &ouvinte, NULL);
    wl_display_roundtrip(tela);
    if (!gerente) {
        fprintf(stderr, "o compositor não oferece zwlr_virtual_pointer_manager_v1\n");
        return 1;
    }
    struct zwlr_virtual_pointer_v1 *ponteiro = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(gerente, assento);
    wl_display_roundtrip(tela);
    /* The compositor adds the device first; the motion then lands on the surface under it. */
    pausa(100);
    zwlr_virtual_pointer_v1_motion_absolute(ponteiro, agora(), x, y, largura, altura);
    zwlr_virtual_pointer_v1_frame(ponteiro);
    wl_display_roundtrip(tela);
    pausa(50);
    zwlr_virtual_pointer_v1_button(ponteiro, agora(), BOTAO_ESQUERDO, WL_POINTER_BUTTON_STATE_PRESSED);
    zwlr_virtual_pointer_v1_frame(ponteiro);
    wl_display_roundtrip(tela);
    pausa(30);
    zwlr_virtual_pointer_v1_button(ponteiro, agora(), BOTAO_ESQUERDO, WL_POINTER_BUTTON_STATE_RELEASED);
    zwlr_virtual_pointer_v1_frame(ponteiro);
    wl_display_roundtrip(tela);
    /* Keeping the device a moment lets the client handle the events before it goes away. */
    pausa(100);
    zwlr_virtual_pointer_v1_destroy(ponteiro);
    wl_display_roundtrip(tela);
    wl_display_disconnect(tela);
    return 0;
}
