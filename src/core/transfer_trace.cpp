#include "core/transfer_trace.h"

#include <array>

namespace online {

namespace {

constexpr std::array<std::string_view, 10> kStepTexts = {
    "Recherche l'adresse IP de l'ordinateur hôte.",
    "L'adresse IP de l'ordinateur hôte spécifié.",
    "En cours de connexion avec l'ordinateur hôte.",
    "La connexion avec l'ordinateur hôte est réussie.",
    "Envoie une demande à l'ordinateur hôte.",
    "La demande a été envoyé  avec succès.",
    "Reçoit une réponse en provenance de l'ordinateur hôte.",
    "reçoit avec succès une réponse en provenance de l'ordinateur hôte.",
    "En cours de déconnexion avec l'ordinateur hôte.",
    "La déconnexion avec l'ordinateur hôte est réussie.",
};

constexpr std::string_view kCompletedText = "icResponseCompleted";

std::string twoDigits(int state) {
    return {static_cast<char>('0' + state / 10), static_cast<char>('0' + state % 10)};
}

void drain(TraceSink& sink, ChunkSource& pending) {
    sink.setStatus(kCompletedText);
    std::string chunk = pending.GetChunk(kChunkSize);
    sink.appendLine(TraceLine("20"));
    std::string gathered;
    for (;;) {
        gathered += chunk;
        sink.appendLine(TraceLine("W1"));
        chunk = pending.GetChunk(kChunkSize);
        sink.appendLine(TraceLine("30"));
        const bool last = chunk.empty();
        sink.appendLine(TraceLine("35"));
        sink.setStatus(kCompletedText);
        if (last)
            break;
    }
    sink.appendLine(TraceLine("W2"));
}

} // namespace

std::string TraceLine(std::string_view code) {
    std::string line(kTracePrefix);
    line += code;
    return line;
}

std::string StateText(int state, const ResponseError& error) {
    if (state >= 1 && state <= 10)
        return std::string(kStepTexts[static_cast<std::size_t>(state - 1)]);
    if (state == kStateError)
        return "icError : " + std::to_string(error.code) + ":" + error.info;
    return {};
}

void ApplyStateChange(int state, const ResponseError& error, TraceSink& sink,
                      ChunkSource& pending) {
    if (state == kStateResponseCompleted) {
        drain(sink, pending);
        return;
    }
    if (state < 1 || state > kStateError)
        return;
    sink.setStatus(StateText(state, error));
    sink.appendLine(TraceLine(twoDigits(state)));
}

} // namespace online
