#include "DataTree.h"

#include <stdexcept>

namespace {
void insertOnce(std::map<std::string, DataTree::Bytes>& into, const std::string& name,
                DataTree::Bytes bytes) {
    if (!into.emplace(name, std::move(bytes)).second) {
        throw std::logic_error("generated twice: " + name);
    }
}
} // namespace

void DataTree::addPacked(const std::string& name, Bytes bytes) {
    insertOnce(packed_, name, std::move(bytes));
}

void DataTree::addPacked(const std::string& name, const std::string& text) {
    insertOnce(packed_, name, Bytes(text.begin(), text.end()));
}

void DataTree::addLoose(const std::string& name, Bytes bytes) {
    insertOnce(loose_, name, std::move(bytes));
}

void DataTree::addReview(const std::string& name, Bytes bytes) {
    insertOnce(review_, name, std::move(bytes));
}
