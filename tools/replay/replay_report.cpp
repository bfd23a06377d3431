#include "replay_report.h"

#include <cmath>
#include <cstdio>

namespace tobli::replay {

namespace {

const char* Bool(bool value) {
  return value ? "true" : "false";
}

// Map rows hold digits and, for values written longer, '-' or '.'; anything else is escaped.
std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {
      char code[8];
      std::snprintf(code, sizeof(code), "\\u%04x", c);
      out += code;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

}  // namespace

std::string JsonNumber(double value) {
  if (!std::isfinite(value)) return "null";
  char text[40];
  if (value == std::trunc(value) && std::fabs(value) < 1e15) {
    std::snprintf(text, sizeof(text), "%.0f", value);
  } else {
    std::snprintf(text, sizeof(text), "%.17g", value);
  }
  return text;
}

std::string OutcomeJson(const ReplayOutcome& o, bool withMap) {
  std::string j = "{";
  auto field = [&j](const char* name, const std::string& value) {
    if (j.size() > 1) j += ",";
    j += "\"";
    j += name;
    j += "\":";
    j += value;
  };
  field("level", JsonNumber(o.level));
  field("completed", Bool(o.completed));
  field("timeout", Bool(o.timeout));
  field("frames", std::to_string(o.frames));
  field("deaths", std::to_string(o.deaths));
  field("alive", Bool(o.alive));
  field("x", JsonNumber(o.x));
  field("y", JsonNumber(o.y));
  field("sweets", JsonNumber(o.sweets));
  std::string keys = "[";
  for (int k = 0; k < 5; ++k) keys += (k > 0 ? "," : "") + JsonNumber(o.keys[k]);
  field("keys", keys + "]");
  field("saltbag", JsonNumber(o.saltbag));
  field("fireman", JsonNumber(o.fireman));
  field("wellington", JsonNumber(o.wellington));
  field("boxes", JsonNumber(o.boxes));
  field("enemies", JsonNumber(o.enemies));
  field("boxmission", JsonNumber(o.boxmission));
  field("enemission", JsonNumber(o.enemission));
  std::string sounds = "{";
  for (const auto& [slot, count] : o.sounds) {
    if (sounds.size() > 1) sounds += ",";
    sounds += "\"" + std::to_string(slot) + "\":" + std::to_string(count);
  }
  field("sounds", sounds + "}");
  if (withMap) {
    std::string rows = "[";
    for (size_t r = 0; r < o.map.size(); ++r) rows += (r > 0 ? "," : "") + JsonString(o.map[r]);
    field("map", rows + "]");
  }
  return j + "}";
}

std::string CheckLine(double levelNumber, const ReplayOutcome& o) {
  std::string line = "level " + JsonNumber(levelNumber) + ": " + (o.completed ? "pass" : "FAIL") +
                     " (frames " + std::to_string(o.frames) + ", deaths " +
                     std::to_string(o.deaths);
  if (!o.setupError.empty()) {
    line += ", " + o.setupError;
  } else if (o.programEnded) {
    line += ", the game ended with error " + JsonNumber(o.errorCode) + " on line " +
            JsonNumber(o.errorLine);
  } else if (o.timeout) {
    line += ", frame limit reached";
  } else if (!o.completed) {
    line += ", the moves ran out before the exit";
  }
  return line + ")";
}

}  // namespace tobli::replay
