// Points handed from a reading thread to the one that codes and writes
// them, in blocks, in order: on two cores, expat's work on a long track and
// the coding go on side by side. At most a few blocks are under way (the
// memory stays small however long the track); their points' strings keep
// their memory from block to block.
#pragma once

#include "imports/punkte.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace mtbq {

struct Block {
    struct Eintrag {
        quadrix::Fundpunkt punkt;
        std::string datei;
        long nummer = 0;
        std::string meldung;  // instead of a point: a line for standard error, in its place
    };
    std::vector<Eintrag> eintraege;
    std::size_t zahl = 0;
};

class Fliessband {
public:
    static constexpr std::size_t Groesse = 1024;
    static constexpr std::size_t Unterwegs = 4;

    // The reading side.
    void punkt(const quadrix::Fundpunkt& p, const std::string& datei, long nummer)
    {
        Block::Eintrag& e = platz();
        e.punkt = p;
        e.datei = datei;
        e.nummer = nummer;
        e.meldung.clear();
    }
    void meldung(const std::string& m) { platz().meldung = m.empty() ? std::string(" ") : m; }
    void ende()
    {
        if (aktuell_ && aktuell_->zahl)
            reiche(std::move(aktuell_));
        std::lock_guard<std::mutex> l(m_);
        fertig_ = true;
        cv_.notify_all();
    }

    // The coding side: the next block, or nullptr after the last.
    std::unique_ptr<Block> naechster()
    {
        std::unique_lock<std::mutex> l(m_);
        cv_.wait(l, [&] { return !voll_.empty() || fertig_; });
        if (voll_.empty())
            return nullptr;
        std::unique_ptr<Block> b = std::move(voll_.front());
        voll_.pop_front();
        cv_.notify_all();
        return b;
    }
    void zurueck(std::unique_ptr<Block> b)
    {
        b->zahl = 0;
        std::lock_guard<std::mutex> l(m_);
        frei_.push_back(std::move(b));
        cv_.notify_all();
    }

private:
    Block::Eintrag& platz()
    {
        if (aktuell_ && aktuell_->zahl == Groesse)
            reiche(std::move(aktuell_));
        if (!aktuell_) {
            std::unique_lock<std::mutex> l(m_);
            cv_.wait(l, [&] { return !frei_.empty() || erzeugt_ < Unterwegs; });
            if (!frei_.empty()) {
                aktuell_ = std::move(frei_.back());
                frei_.pop_back();
            } else {
                aktuell_ = std::make_unique<Block>();
                aktuell_->eintraege.resize(Groesse);
                ++erzeugt_;
            }
        }
        return aktuell_->eintraege[aktuell_->zahl++];
    }
    void reiche(std::unique_ptr<Block> b)
    {
        std::lock_guard<std::mutex> l(m_);
        voll_.push_back(std::move(b));
        cv_.notify_all();
    }

    std::mutex m_;
    std::condition_variable cv_;
    std::deque<std::unique_ptr<Block>> voll_;
    std::vector<std::unique_ptr<Block>> frei_;
    std::unique_ptr<Block> aktuell_;  // the reading side's own
    std::size_t erzeugt_ = 0;
    bool fertig_ = false;
};

}  // namespace mtbq
