#include "plot/XmlDocument.hpp"

#include <algorithm>
#include <cstdint>

namespace quilex::plot::test {
namespace {

bool IsNameStart(char ch) {
  return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || ch == '_' || ch == ':';
}
bool IsNameCharacter(char ch) {
  return IsNameStart(ch) || (ch >= '0' && ch <= '9') || ch == '-' || ch == '.';
}
bool IsSpace(char ch) {
  return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r';
}

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  XmlElement Document() {
    CheckCharacters();
    if (Starts("<?xml")) Declaration();
    Misc();
    if (Starts("<!DOCTYPE")) Fail("a document type declaration is not expected");
    if (!Starts("<")) Fail("no root element");
    XmlElement root = Element();
    Misc();
    if (at_ != text_.size()) Fail("content after the root element");
    return root;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw XmlError("offset " + std::to_string(at_) + ": " + what);
  }
  bool Starts(std::string_view prefix) const { return text_.substr(at_, prefix.size()) == prefix; }
  void Expect(std::string_view literal) {
    if (!Starts(literal)) Fail("expected '" + std::string(literal) + "'");
    at_ += literal.size();
  }
  bool SkipSpace() {
    const std::size_t start = at_;
    while (at_ < text_.size() && IsSpace(text_[at_]))
      ++at_;
    return at_ > start;
  }

  // Valid UTF-8 of characters that XML 1.0 allows, everywhere.
  void CheckCharacters() {
    std::size_t k = 0;
    while (k < text_.size()) {
      const auto byte = static_cast<unsigned char>(text_[k]);
      std::size_t length = 1;
      std::uint32_t code = byte;
      if (byte >= 0x80) {
        if ((byte & 0xE0) == 0xC0) {
          length = 2, code = byte & 0x1F;
        } else if ((byte & 0xF0) == 0xE0) {
          length = 3, code = byte & 0x0F;
        } else if ((byte & 0xF8) == 0xF0) {
          length = 4, code = byte & 0x07;
        } else {
          at_ = k, Fail("invalid UTF-8");
        }
        if (k + length > text_.size()) at_ = k, Fail("truncated UTF-8");
        for (std::size_t j = 1; j < length; ++j) {
          const auto next = static_cast<unsigned char>(text_[k + j]);
          if ((next & 0xC0) != 0x80) at_ = k, Fail("invalid UTF-8");
          code = (code << 6) | (next & 0x3F);
        }
        const std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < smallest[length]) at_ = k, Fail("overlong UTF-8");
      }
      const bool allowed = code == 0x9 || code == 0xA || code == 0xD ||
                           (code >= 0x20 && code <= 0xD7FF) || (code >= 0xE000 && code <= 0xFFFD) ||
                           (code >= 0x10000 && code <= 0x10FFFF);
      if (!allowed) at_ = k, Fail("a character that XML does not allow");
      k += length;
    }
  }

  void Declaration() {
    Expect("<?xml");
    const std::size_t end = text_.find("?>", at_);
    if (end == std::string_view::npos) Fail("unterminated XML declaration");
    const std::string_view body = text_.substr(at_, end - at_);
    if (body.find("version=\"1.0\"") == std::string_view::npos) Fail("no version 1.0");
    at_ = end + 2;
  }

  void Misc() {
    for (;;) {
      SkipSpace();
      if (Starts("<!--")) {
        Comment();
      } else if (Starts("<?")) {
        ProcessingInstruction();
      } else {
        return;
      }
    }
  }

  void Comment() {
    Expect("<!--");
    const std::size_t end = text_.find("--", at_);
    if (end == std::string_view::npos) Fail("unterminated comment");
    at_ = end;
    Expect("-->");  // "--" may only close the comment
  }

  void ProcessingInstruction() {
    Expect("<?");
    const std::string name = Name();
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
    if (lower == "xml") Fail("an XML declaration that is not at the start");
    const std::size_t end = text_.find("?>", at_);
    if (end == std::string_view::npos) Fail("unterminated processing instruction");
    at_ = end + 2;
  }

  std::string Name() {
    if (at_ >= text_.size() || !IsNameStart(text_[at_])) Fail("expected a name");
    const std::size_t start = at_;
    while (at_ < text_.size() && IsNameCharacter(text_[at_]))
      ++at_;
    return std::string(text_.substr(start, at_ - start));
  }

  // A reference after '&': one of the five entities or a character reference.
  std::string Reference() {
    Expect("&");
    const std::size_t end = text_.find(';', at_);
    if (end == std::string_view::npos || end - at_ > 10) Fail("an '&' that starts no reference");
    const std::string_view body = text_.substr(at_, end - at_);
    at_ = end + 1;
    if (body == "amp") return "&";
    if (body == "lt") return "<";
    if (body == "gt") return ">";
    if (body == "quot") return "\"";
    if (body == "apos") return "'";
    if (body.size() >= 2 && body[0] == '#') {
      const bool hex = body[1] == 'x';
      const std::string_view digits = body.substr(hex ? 2 : 1);
      if (digits.empty()) Fail("an empty character reference");
      std::uint32_t code = 0;
      for (const char ch : digits) {
        int digit = -1;
        if (ch >= '0' && ch <= '9') digit = ch - '0';
        if (hex && ch >= 'a' && ch <= 'f') digit = ch - 'a' + 10;
        if (hex && ch >= 'A' && ch <= 'F') digit = ch - 'A' + 10;
        if (digit < 0) Fail("a bad character reference");
        code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
        if (code > 0x10FFFF) Fail("a character reference out of range");
      }
      if (code < 0x20 && code != 0x9 && code != 0xA && code != 0xD)
        Fail("a reference to a control");
      std::string utf8;
      if (code < 0x80) {
        utf8 += static_cast<char>(code);
      } else if (code < 0x800) {
        utf8 += static_cast<char>(0xC0 | (code >> 6));
        utf8 += static_cast<char>(0x80 | (code & 0x3F));
      } else if (code < 0x10000) {
        utf8 += static_cast<char>(0xE0 | (code >> 12));
        utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (code & 0x3F));
      } else {
        utf8 += static_cast<char>(0xF0 | (code >> 18));
        utf8 += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (code & 0x3F));
      }
      return utf8;
    }
    Fail("an unknown entity '&" + std::string(body) + ";'");
  }

  XmlElement Element() {
    Expect("<");
    XmlElement element;
    element.name = Name();
    for (;;) {
      const bool spaced = SkipSpace();
      if (Starts("/>")) {
        at_ += 2;
        return element;
      }
      if (Starts(">")) {
        ++at_;
        break;
      }
      if (!spaced) Fail("attributes must be separated by white space");
      std::string name = Name();
      for (const auto& [existing, value] : element.attributes) {
        if (existing == name) Fail("attribute '" + name + "' given twice");
      }
      SkipSpace();
      Expect("=");
      SkipSpace();
      if (at_ >= text_.size() || (text_[at_] != '"' && text_[at_] != '\'')) {
        Fail("an attribute value must be quoted");
      }
      const char quote = text_[at_++];
      std::string value;
      for (;;) {
        if (at_ >= text_.size()) Fail("unterminated attribute value");
        const char ch = text_[at_];
        if (ch == quote) {
          ++at_;
          break;
        }
        if (ch == '<') Fail("'<' in an attribute value");
        if (ch == '&') {
          value += Reference();
        } else {
          value += ch;
          ++at_;
        }
      }
      element.attributes.emplace_back(std::move(name), std::move(value));
    }
    // Content up to the matching end tag.
    for (;;) {
      if (at_ >= text_.size()) Fail("element '" + element.name + "' is not closed");
      if (Starts("</")) {
        at_ += 2;
        const std::string name = Name();
        if (name != element.name) {
          Fail("end tag '" + name + "' closes element '" + element.name + "'");
        }
        SkipSpace();
        Expect(">");
        return element;
      }
      if (Starts("<!--")) {
        Comment();
      } else if (Starts("<![CDATA[")) {
        Fail("a CDATA section is not expected");
      } else if (Starts("<?")) {
        ProcessingInstruction();
      } else if (Starts("<")) {
        element.children.push_back(Element());
      } else if (Starts("&")) {
        element.text += Reference();
      } else {
        if (Starts("]]>")) Fail("']]>' in character data");
        element.text += text_[at_++];
      }
    }
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace

bool XmlElement::has(std::string_view name) const {
  return std::any_of(attributes.begin(), attributes.end(),
                     [&](const auto& attribute) { return attribute.first == name; });
}

const std::string& XmlElement::attribute(std::string_view name) const {
  for (const auto& [key, value] : attributes) {
    if (key == name) return value;
  }
  throw XmlError("element '" + this->name + "' has no attribute '" + std::string(name) + "'");
}

XmlElement ParseXml(std::string_view document) {
  return Parser(document).Document();
}

const XmlElement* FindById(const XmlElement& root, std::string_view id) {
  if (root.has("id") && root.attribute("id") == id) return &root;
  for (const XmlElement& child : root.children) {
    if (const XmlElement* found = FindById(child, id)) return found;
  }
  return nullptr;
}

std::vector<const XmlElement*> FindAll(const XmlElement& root, std::string_view name) {
  std::vector<const XmlElement*> found;
  if (root.name == name) found.push_back(&root);
  for (const XmlElement& child : root.children) {
    const std::vector<const XmlElement*> inner = FindAll(child, name);
    found.insert(found.end(), inner.begin(), inner.end());
  }
  return found;
}

}  // namespace quilex::plot::test
