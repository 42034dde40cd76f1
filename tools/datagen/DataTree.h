#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Every file the generator makes, by the name the game asks for ("/"
// separated, relative to the game folder). Packed files go into the resource
// pack; loose ones stay on disk beside it (the game reads those directly).
class DataTree {
public:
    using Bytes = std::vector<std::uint8_t>;

    void addPacked(const std::string& name, Bytes bytes);
    void addPacked(const std::string& name, const std::string& text);
    void addLoose(const std::string& name, Bytes bytes);
    // Files for the developers' review (the contact sheet), written beside
    // the game folder, never read by the game.
    void addReview(const std::string& name, Bytes bytes);

    const std::map<std::string, Bytes>& packed() const { return packed_; }
    const std::map<std::string, Bytes>& loose() const { return loose_; }
    const std::map<std::string, Bytes>& review() const { return review_; }

private:
    std::map<std::string, Bytes> packed_;
    std::map<std::string, Bytes> loose_;
    std::map<std::string, Bytes> review_;
};
