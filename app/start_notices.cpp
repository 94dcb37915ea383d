#include "app/start_notices.h"

namespace {

// Each holds one "%s": the folder or the file, so that an adult knows where to look.
const char* const kDataMissing[] = {
    "Quillmead cannot find its pictures and sounds in %s. Please install Quillmead again.",
    "Quillmead findet seine Bilder und Klänge nicht im Ordner %s. Bitte installieren Sie Quillmead neu.",
    "Quillmead no encuentra sus dibujos y sonidos en la carpeta %s. Vuelva a instalar Quillmead.",
    "Quillmead не находит свои картинки и звуки в папке %s. Установите Quillmead заново.",
    "Quillmead ne trouve pas ses images et ses sons dans le dossier %s. Veuillez réinstaller Quillmead.",
};

const char* const kDataDamaged[] = {
    "Some of Quillmead's pictures and sounds are damaged (%s). Please install Quillmead again.",
    "Einige Bilder und Klänge von Quillmead sind beschädigt (%s). Bitte installieren Sie Quillmead neu.",
    "Algunos dibujos y sonidos de Quillmead están dañados (%s). Vuelva a instalar Quillmead.",
    "Часть картинок и звуков Quillmead повреждена (%s). Установите Quillmead заново.",
    "Des images et des sons de Quillmead sont abîmés (%s). Veuillez réinstaller Quillmead.",
};

std::string filledIn(const char* text, const std::string& value) {
    std::string out = text;
    size_t at = out.find("%s");
    if (at != std::string::npos) out.replace(at, 2, value);
    return out;
}

}  // namespace

const char* noticeInLanguage(const char* const texts[5], int32_t language) {
    return texts[language >= 0 && language < 5 ? language : 0];
}

std::string dataMissingNotice(int32_t language, const std::string& folder) {
    return filledIn(noticeInLanguage(kDataMissing, language), folder);
}

std::string dataDamagedNotice(int32_t language, const std::string& file) {
    return filledIn(noticeInLanguage(kDataDamaged, language), file);
}
