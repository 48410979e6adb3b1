// Where the window gets the transformation of GPS positions (WGS84/ETRS89)
// to the Potsdam datum of the sheet grid: the same BETA2007 transformation
// that mtbq --datum uses. Behind an interface so that tests can offer a
// known shift or a missing grid.
#pragma once

#include <memory>
#include <string>

namespace quadrix {
class Transformation;
}

class Bezugssystem {
public:
    virtual ~Bezugssystem() = default;
    // The transformation, made on first use and kept; nullptr with the
    // reason in fehler when it cannot be had (the grid is missing).
    virtual const quadrix::Transformation* etrs89NachPotsdam(std::string& fehler) = 0;
};

class Beta2007 final : public Bezugssystem {
public:
    Beta2007();
    ~Beta2007() override;
    const quadrix::Transformation* etrs89NachPotsdam(std::string& fehler) override;

private:
    bool m_versucht = false;
    std::unique_ptr<quadrix::Transformation> m_t;
    std::string m_fehler;
};
