// The configuration document's object type: members in the order of the file, like
// nlohmann::ordered_map, with a hash index once an object has more than a few members, so that
// reading a file of many thousand creatures and finding one of them by name cost time in
// proportion to what is read, not to its square.
#pragma once

#include <nlohmann/ordered_map.hpp>

#include <cstddef>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

template <class Key, class T, class IgnoredLess = std::less<Key>,
          class Allocator = std::allocator<std::pair<const Key, T>>>
struct IndexedOrderedMap : nlohmann::ordered_map<Key, T, IgnoredLess, Allocator> {
    using Base = nlohmann::ordered_map<Key, T, IgnoredLess, Allocator>;
    using Container = typename Base::Container;
    using key_type = typename Base::key_type;
    using mapped_type = typename Base::mapped_type;
    using iterator = typename Base::iterator;
    using const_iterator = typename Base::const_iterator;
    using size_type = typename Base::size_type;
    using value_type = typename Base::value_type;
    using key_compare = typename Base::key_compare;

    template <class KeyType>
    using RequireKey = nlohmann::detail::enable_if_t<
        nlohmann::detail::is_usable_as_key_type<key_compare, key_type, KeyType>::value, int>;

    using Base::Base;

    std::pair<iterator, bool> emplace(const key_type& key, T&& t) { return Emplace(key, std::move(t)); }
    template <class KeyType, RequireKey<KeyType> = 0>
    std::pair<iterator, bool> emplace(KeyType&& key, T&& t) {
        return Emplace(std::forward<KeyType>(key), std::move(t));
    }

    T& operator[](const key_type& key) { return emplace(key, T{}).first->second; }
    template <class KeyType, RequireKey<KeyType> = 0>
    T& operator[](KeyType&& key) { return emplace(std::forward<KeyType>(key), T{}).first->second; }
    const T& operator[](const key_type& key) const { return at(key); }
    template <class KeyType, RequireKey<KeyType> = 0>
    const T& operator[](KeyType&& key) const { return at(std::forward<KeyType>(key)); }

    T& at(const key_type& key) { return Checked(find(key))->second; }
    template <class KeyType, RequireKey<KeyType> = 0>
    T& at(KeyType&& key) { return Checked(find(std::forward<KeyType>(key)))->second; }
    const T& at(const key_type& key) const { return Checked(find(key))->second; }
    template <class KeyType, RequireKey<KeyType> = 0>
    const T& at(KeyType&& key) const { return Checked(find(std::forward<KeyType>(key)))->second; }

    size_type erase(const key_type& key) { return Forget(), Base::erase(key); }
    template <class KeyType, RequireKey<KeyType> = 0>
    size_type erase(KeyType&& key) { return Forget(), Base::erase(std::forward<KeyType>(key)); }
    iterator erase(iterator pos) { return Forget(), Base::erase(pos); }
    iterator erase(iterator first, iterator last) { return Forget(), Base::erase(first, last); }

    size_type count(const key_type& key) const { return Position(key) == this->size() ? 0 : 1; }
    template <class KeyType, RequireKey<KeyType> = 0>
    size_type count(KeyType&& key) const { return Position(key) == this->size() ? 0 : 1; }

    iterator find(const key_type& key) { return this->begin() + Position(key); }
    template <class KeyType, RequireKey<KeyType> = 0>
    iterator find(KeyType&& key) { return this->begin() + Position(key); }
    const_iterator find(const key_type& key) const { return this->begin() + Position(key); }
    template <class KeyType, RequireKey<KeyType> = 0>
    const_iterator find(KeyType&& key) const { return this->begin() + Position(key); }

    std::pair<iterator, bool> insert(value_type&& value) {
        return emplace(value.first, std::move(value.second));
    }
    std::pair<iterator, bool> insert(const value_type& value) {
        const std::size_t at = Position(value.first);
        if (at != this->size()) return {this->begin() + at, false};
        Container::push_back(value);
        return {Added(), true};
    }
    template <typename InputIt>
    void insert(InputIt first, InputIt last) {
        for (auto it = first; it != last; ++it) insert(*it);
    }

    void clear() noexcept {
        Forget();
        Container::clear();
    }

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
    };

    // Small objects are searched member by member; the index pays off from this size on.
    static constexpr std::size_t kIndexFrom = 12;

    template <class KeyType>
    std::pair<iterator, bool> Emplace(KeyType&& key, T&& t) {
        const std::size_t at = Position(key);
        if (at != this->size()) return {this->begin() + at, false};
        Container::emplace_back(std::forward<KeyType>(key), std::move(t));
        return {Added(), true};
    }

    // Enters the member just appended into the index, when there is one.
    iterator Added() {
        if (indexed_) index_.emplace(this->back().first, this->size() - 1);
        return std::prev(this->end());
    }

    // The member's place in the order, or size() when it is absent.
    template <class KeyType>
    std::size_t Position(const KeyType& key) const {
        const std::string_view wanted(key);
        if (this->size() < kIndexFrom) {
            for (std::size_t i = 0; i < this->size(); ++i) {
                if (this->begin()[i].first == wanted) return i;
            }
            return this->size();
        }
        if (!indexed_) {
            index_.clear();
            index_.reserve(this->size());
            for (std::size_t i = 0; i < this->size(); ++i) index_.emplace(this->begin()[i].first, i);
            indexed_ = true;
        }
        const auto it = index_.find(wanted);
        return it == index_.end() ? this->size() : it->second;
    }

    // Erasing shifts the members after it; the index is built again when next needed.
    bool Forget() {
        indexed_ = false;
        index_.clear();
        return true;
    }

    template <class It>
    It Checked(It it) const {
        if (it == It(this->end())) throw std::out_of_range("key not found");
        return it;
    }

    mutable std::unordered_map<std::string, std::size_t, Hash, std::equal_to<>> index_;
    mutable bool indexed_ = false;
};
