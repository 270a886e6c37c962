// A strict checker of XML 1.0 well-formedness for the pictures under test, which also hands
// back the element tree: elements, attributes and text with the references replaced. It
// refuses what the pictures never need (a document type, CDATA sections) rather than
// half-checking it.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quilex::plot::test {

class XmlError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct XmlElement {
  std::string name;
  std::vector<std::pair<std::string, std::string>> attributes;
  std::vector<XmlElement> children;
  std::string text;  // character data directly inside, concatenated

  bool has(std::string_view attribute) const;
  const std::string& attribute(std::string_view attribute) const;  // throws when absent
};

// The root element; throws XmlError naming the offset and the fault.
XmlElement ParseXml(std::string_view document);

// Depth-first search.
const XmlElement* FindById(const XmlElement& root, std::string_view id);
std::vector<const XmlElement*> FindAll(const XmlElement& root, std::string_view name);

}  // namespace quilex::plot::test
