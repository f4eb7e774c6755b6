#include "editor/mocap/bvh_reader.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace editor::mocap {

namespace {

constexpr const char* CHANNEL_NAMES[] = {"Xposition", "Yposition", "Zposition",
                                         "Xrotation", "Yrotation", "Zrotation"};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Whitespace-separated words with the line each starts on.
class BvhTokens {
  public:
    explicit BvhTokens(std::string_view text) : text_(text) { SkipBlanks(); }

    bool AtEnd() const { return position_ >= text_.size(); }
    int Line() const { return line_; }

    std::string_view Next() {
        size_t start = position_;
        while (position_ < text_.size() && !IsBlank(text_[position_])) {
            ++position_;
        }
        std::string_view word = text_.substr(start, position_ - start);
        SkipBlanks();
        return word;
    }

  private:
    void SkipBlanks() {
        while (position_ < text_.size() && IsBlank(text_[position_])) {
            if (text_[position_] == '\n') {
                ++line_;
            }
            ++position_;
        }
    }

    std::string_view text_;
    size_t position_ = 0;
    int line_ = 1;
};

bool ParseNumber(std::string_view word, double& value) {
    if (!word.empty() && word.front() == '+') {
        word.remove_prefix(1);
    }
    auto [end, failure] = std::from_chars(word.data(), word.data() + word.size(), value);
    return failure == std::errc() && end == word.data() + word.size() && std::isfinite(value) &&
           std::fabs(value) <= MAX_BVH_MAGNITUDE;
}

bool ParseCount(std::string_view word, int& value) {
    auto [end, failure] = std::from_chars(word.data(), word.data() + word.size(), value);
    return failure == std::errc() && end == word.data() + word.size();
}

int ChannelIndex(std::string_view word) {
    for (int i = 0; i < MAX_BVH_CHANNELS_PER_JOINT; ++i) {
        if (word == CHANNEL_NAMES[i]) {
            return i;
        }
    }
    return -1;
}

std::string Quoted(std::string_view word) {
    return "'" + std::string(word) + "'";
}

class BvhParser {
  public:
    BvhParser(std::string_view text, BvhClip& clip, BvhError& error)
        : tokens_(text), clip_(clip), error_(error) {}

    bool Parse() {
        clip_ = BvhClip{};
        return Keyword("HIERARCHY") && Keyword("ROOT") && Joint(-1) && Motion() && Rows();
    }

  private:
    bool Fail(std::string message, int line = 0) {
        error_.line = line > 0 ? line : tokens_.Line();
        error_.message = std::move(message);
        return false;
    }

    // The next word, or a failure naming what was expected when the file ends.
    bool Take(std::string_view& word, const char* expected) {
        if (tokens_.AtEnd()) {
            return Fail(std::string("the file ends where ") + expected + " was expected", line_);
        }
        line_ = tokens_.Line();
        word = tokens_.Next();
        return true;
    }

    bool Keyword(const char* keyword) {
        std::string_view word;
        if (!Take(word, keyword)) {
            return false;
        }
        return word == keyword ? true
                               : Fail(std::string("expected ") + keyword + ", found " +
                                          Quoted(word.substr(0, 40)),
                                      line_);
    }

    bool Numbers(const char* what, PoseVec& vector) {
        double* parts[] = {&vector.x, &vector.y, &vector.z};
        for (double* part : parts) {
            std::string_view word;
            if (!Take(word, "a number")) {
                return false;
            }
            if (!ParseNumber(word, *part)) {
                return Fail(
                    std::string(what) + " expects 3 numbers, found " + Quoted(word.substr(0, 40)),
                    line_);
            }
        }
        return true;
    }

    bool Channels(BvhJoint& joint) {
        if (!Keyword("CHANNELS")) {
            return false;
        }
        int keywordLine = line_;
        std::string_view word;
        if (!Take(word, "a channel count")) {
            return false;
        }
        int count = 0;
        if (!ParseCount(word, count) || (count != 3 && count != 6)) {
            return Fail("CHANNELS expects 3 or 6 names", keywordLine);
        }
        bool seen[MAX_BVH_CHANNELS_PER_JOINT] = {};
        for (int i = 0; i < count; ++i) {
            if (!Take(word, "a channel name")) {
                return false;
            }
            int channel = ChannelIndex(word);
            if (channel < 0) {
                return Fail("unknown channel " + Quoted(word.substr(0, 40)), line_);
            }
            if (seen[channel]) {
                return Fail("channel " + Quoted(word) + " appears twice", line_);
            }
            seen[channel] = true;
            joint.channels[i] = static_cast<BvhChannel>(channel);
        }
        joint.channelCount = count;
        joint.firstChannel = clip_.channelsPerFrame;
        clip_.channelsPerFrame += count;
        return true;
    }

    bool EndSite(BvhJoint& joint) {
        if (!Keyword("Site") || !Keyword("{") || !Keyword("OFFSET")) {
            return false;
        }
        PoseVec offset;
        if (!Numbers("OFFSET", offset) || !Keyword("}")) {
            return false;
        }
        // A joint with several end sites keeps the first: it is the one its segment ends at.
        if (!joint.hasEndSite) {
            joint.hasEndSite = true;
            joint.endSite = offset;
        }
        return true;
    }

    // A joint from its name to its closing brace; children are read with an explicit stack
    // so that deep nesting cannot exhaust the call stack.
    bool Joint(int parent) {
        std::vector<int> open;
        if (!JointHead(parent, open)) {
            return false;
        }
        while (!open.empty()) {
            std::string_view word;
            if (!Take(word, "JOINT, End Site or '}'")) {
                return false;
            }
            if (word == "JOINT") {
                if (!JointHead(open.back(), open)) {
                    return false;
                }
            } else if (word == "End") {
                if (!EndSite(clip_.joints[static_cast<size_t>(open.back())])) {
                    return false;
                }
            } else if (word == "}") {
                open.pop_back();
            } else if (word == "ROOT") {
                return Fail("a second ROOT is not supported", line_);
            } else {
                return Fail("expected JOINT, End Site or '}', found " + Quoted(word.substr(0, 40)),
                            line_);
            }
        }
        return true;
    }

    // Name, "{", OFFSET and CHANNELS of one joint; pushes it on the open stack.
    bool JointHead(int parent, std::vector<int>& open) {
        std::string_view name;
        if (!Take(name, "a joint name")) {
            return false;
        }
        int nameLine = line_;
        if (name == "{") {
            return Fail("a joint needs a name", nameLine);
        }
        if (name.size() > MAX_BVH_NAME_LENGTH) {
            return Fail("joint name longer than 256 characters", nameLine);
        }
        if (clip_.joints.size() >= static_cast<size_t>(MAX_BVH_JOINTS)) {
            return Fail("more than 512 joints", nameLine);
        }
        if (clip_.FindJoint(std::string(name)) >= 0) {
            return Fail("joint name " + Quoted(name) + " appears twice", nameLine);
        }
        BvhJoint joint;
        joint.name = std::string(name);
        joint.parent = parent;
        if (!Keyword("{") || !Keyword("OFFSET") || !Numbers("OFFSET", joint.offset) ||
            !Channels(joint)) {
            return false;
        }
        open.push_back(static_cast<int>(clip_.joints.size()));
        clip_.joints.push_back(std::move(joint));
        return true;
    }

    bool Motion() {
        if (!Keyword("MOTION") || !Keyword("Frames:")) {
            return false;
        }
        std::string_view word;
        if (!Take(word, "the frame count")) {
            return false;
        }
        int frames = 0;
        if (!ParseCount(word, frames) || frames < 1 || frames > MAX_BVH_FRAMES) {
            return Fail("Frames: expects a whole number from 1 to 500000", line_);
        }
        if (static_cast<size_t>(frames) * static_cast<size_t>(clip_.channelsPerFrame) >
            MAX_BVH_VALUES) {
            return Fail("Frames: " + std::to_string(frames) + " rows of " +
                            std::to_string(clip_.channelsPerFrame) +
                            " channels are more values than a clip may hold",
                        line_);
        }
        clip_.frameCount = frames;
        if (!Keyword("Frame") || !Keyword("Time:") || !Take(word, "the frame time")) {
            return false;
        }
        double frameTime = 0.0;
        // Under a microsecond or over a minute between rows is no capture rate.
        if (!ParseNumber(word, frameTime) || !(frameTime >= 1.0e-6) || frameTime > 60.0) {
            return Fail("Frame Time: expects seconds between 0.000001 and 60", line_);
        }
        clip_.frameTime = frameTime;
        return true;
    }

    // The next frame value (not at the end of the file); false after the failure when it is
    // no number.
    bool Value(double& value) {
        line_ = tokens_.Line();
        std::string_view word = tokens_.Next();
        return ParseNumber(word, value) ||
               Fail("frame value " + Quoted(word.substr(0, 40)) + " is not a number", line_);
    }

    bool Rows() {
        const size_t wanted =
            static_cast<size_t>(clip_.frameCount) * static_cast<size_t>(clip_.channelsPerFrame);
        // Grown as values arrive: the count in the file is not trusted to size memory.
        clip_.values.reserve(std::min<size_t>(wanted, 65536));
        while (clip_.values.size() < wanted) {
            if (tokens_.AtEnd()) {
                size_t complete = clip_.values.size() / static_cast<size_t>(clip_.channelsPerFrame);
                return Fail("the file ends after " + std::to_string(complete) + " of " +
                                std::to_string(clip_.frameCount) + " frames",
                            line_);
            }
            double value = 0.0;
            if (!Value(value)) {
                return false;
            }
            clip_.values.push_back(value);
        }
        // Some exporters write one row more than they announce. Whole rows of numbers after
        // the announced ones are let through unread; anything else is refused.
        size_t extra = 0;
        while (!tokens_.AtEnd()) {
            double value = 0.0;
            if (!Value(value)) {
                return false;
            }
            ++extra;
        }
        if (extra % static_cast<size_t>(clip_.channelsPerFrame) != 0) {
            return Fail("the rows after the " + std::to_string(clip_.frameCount) +
                            " frames announced end inside a row",
                        line_);
        }
        return true;
    }

    BvhTokens tokens_;
    BvhClip& clip_;
    BvhError& error_;
    int line_ = 1;
};

}  // namespace

bool ReadBvh(std::string_view text, BvhClip& clip, BvhError& error) {
    return BvhParser(text, clip, error).Parse();
}

std::string BvhErrorText(const std::string& path, const BvhError& error) {
    return "'" + path + "' line " + std::to_string(error.line) + ": " + error.message;
}

}  // namespace editor::mocap
