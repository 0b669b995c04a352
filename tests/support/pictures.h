#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

namespace jotwise::testing {

// Where tests keep pictures for a person to look at: $JOTWISE_PICTURES when set, else
// tests/pictures in the build folder; never the source tree or the working folder.
inline std::filesystem::path picturePath(const std::string& file) {
    const char* chosen = std::getenv("JOTWISE_PICTURES");
    const std::filesystem::path folder = chosen && *chosen ? chosen : JOTWISE_PICTURES_DIR;
    std::filesystem::create_directories(folder);
    return folder / file;
}

// Saves the picture there and says where it is.
inline void keepPicture(const QImage& image, const std::string& file) {
    ASSERT_FALSE(image.isNull()) << file;
    const std::filesystem::path path = picturePath(file);
    ASSERT_TRUE(image.save(QString::fromStdString(path.string()))) << path;
    std::cout << "picture: " << path.string() << "\n";
}

inline void keepPicture(QWidget& window, const std::string& file) {
    keepPicture(window.grab().toImage(), file);
}

}  // namespace jotwise::testing
