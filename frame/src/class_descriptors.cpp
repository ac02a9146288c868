#include "frame/class_descriptors.h"

namespace frame {

const char* FixedTextExporter::AuthorName() {
    return "Vantreel tools group";
}

const char* FixedTextExporter::CopyrightMessage() {
    return "Copyright (c) Vantreel. All rights reserved.";
}

}  // namespace frame
