#pragma once
// The four players, reached by seat 1..4 as at the table.

#include "clsPlayer.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace vemo {

class PlayerCollection {
public:
    // Seat numbers count from 1; a seat that does not exist is a fault.
    clsPlayer& operator()(int seat) { return *players_.at(Index(seat)); }
    const clsPlayer& operator()(int seat) const { return *players_.at(Index(seat)); }

    void Add(std::unique_ptr<clsPlayer> player) { players_.push_back(std::move(player)); }
    int Count() const { return static_cast<int>(players_.size()); }
    void Clear() { players_.clear(); }

private:
    static std::size_t Index(int seat)
    {
        if (seat < 1) throw std::out_of_range("Subscript out of range (seat " + std::to_string(seat) + ")");
        return static_cast<std::size_t>(seat - 1);
    }
    std::vector<std::unique_ptr<clsPlayer>> players_;
};

} // namespace vemo
