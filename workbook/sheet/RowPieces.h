// What reading and rewriting a sheet's rows in pieces on several threads
// share: how many pieces may be in flight, and how a piece is cut from the
// bytes pending without copying it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>

#include "Compat.h"

namespace trevalco::workbook {

// Pieces worked on at once: one more than the cores (at least two), so that
// every core has one while the oldest is awaited.
inline std::size_t PiecesInFlight() { return std::max(2U, compat::HardwareThreads()) + 1; }

// The first `cut` bytes of `pending`, which keeps what follows them: the piece
// takes the bytes it holds and only the rest is copied, into room for the
// next piece of about `pieceBytes` and a chunk, so `pending` never reallocates.
inline std::string CutPiece(std::string& pending, std::size_t cut, std::size_t pieceBytes) {
    std::string piece = std::move(pending);
    pending.reserve(pieceBytes + pieceBytes / 4);
    pending.assign(piece, cut);
    piece.resize(cut);
    return piece;
}

}  // namespace trevalco::workbook
