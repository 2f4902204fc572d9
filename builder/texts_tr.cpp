// Turkish texts. The product's name never takes a suffix here: a following
// noun ("uygulaması") carries the case ending, whatever the name sounds like.
#include "texts.hpp"

namespace corvel::build {

namespace {

using namespace group;

const TextEntry kTexts[] = {
    {messages, 0, "Kurulum tamamlanmadı. Şimdi çıkarsanız {DisplayName} uygulaması kurulmayacak.\n\n"
                  "Kurulumdan çıkmak istiyor musunuz?"},
    {messages, 1, "Kurulumu tamamlamak için bilgisayarınızın yeniden başlatılması\n"
                  "ve sistem yapılandırmasının güncellenmesi gerekiyor.\n\nSistem şimdi yeniden başlatılsın mı?"},
    {messages, 2, "Kurulum klasörü geçerli bir yol değil. Lütfen sürücü harfiyle başlayan\n"
                  "tam bir yol girin, örneğin C:\\Program Files\\{DisplayName}."},
    {messages, 5, "Kurulumu tamamlamak için bilgisayarınızın yeniden başlatılması gerekiyor.\n"
                  "Bazı dosyalar kullanımda ve ancak sistem yeniden başlatılırken değiştirilebilir.\n\n"
                  "Sistem şimdi yeniden başlatılsın mı?"},
    {messages, 6, "%s dosyası\nbaşka bir uygulama tarafından kullanılıyor.\n\n"
                  "Yeniden denemek için o uygulamayı kapatıp Evet'i, dosyayı bilgisayar yeniden\n"
                  "başlatılırken değiştirmek için Hayır'ı tıklatın."},
    {messages, 8, "Kurulum sürüyor. Şimdi çıkarsanız {DisplayName} uygulaması\n"
                  "hatalı kurulabilir.\n\nKurulumdan çıkmak istiyor musunuz?"},
    {messages, 9, "Kurulum hatalarla tamamlandı. {DisplayName} uygulamasının bazı bölümleri\n"
                  "düzgün çalışmayabilir."},
    {messages, 10, "%s uygulamasını kullanmadan önce bilgisayarınızı yeniden başlatmalısınız."},
    {messages, 11, "Programı kurmak için yönetici haklarına sahip olmalısınız."},
    {messages, 12, "Bu program yalnızca NT çekirdekli sistemlerde çalışır."},
    {messages, 13, "Programın çalışması için en az %s gerekir."},

    {errors, 0, "Kurulum için gereken iletişim kutusu oluşturulamadı. Çıkılıyor..."},
    {errors, 1, "Var olan '%s' dosyası  \nokumak için açılamadı. Erişim reddedildi. Devam edilsin mi?"},
    {errors, 2, "Var olan '%s' dosyasını  \nyazmak için açmaya yetkiniz yok. Devam edilsin mi?"},
    {errors, 3, "Var olan '%s' dosyası  \nokumak ve yazmak için açılamadı. Erişim reddedildi. Devam edilsin mi?"},
    {errors, 4, "Var olan '%s' dosyası  \nokumak için açılamadı. %sDevam edilsin mi?"},
    {errors, 5, "Var olan '%s' dosyası  \nyazmak için açılamadı. %sDevam edilsin mi?"},
    {errors, 6, "Var olan '%s' dosyası  \nokumak ve yazmak için açılamadı. %sDevam edilsin mi?"},
    {errors, 7, "'%s' dosyası  \nokumak için oluşturulamadı. Erişim reddedildi. Devam edilsin mi?"},
    {errors, 8, "'%s' dosyası yazmak için oluşturulamadı.  \n"
                "'%s' klasöründe dosya oluşturmaya yetkiniz yok.  \nDevam edilsin mi?"},
    {errors, 9, "'%s' dosyası  \nokumak ve yazmak için oluşturulamadı. Erişim reddedildi. Devam edilsin mi?"},
    {errors, 10, "'%s' dosyası  \nokumak için oluşturulamadı. %sDevam edilsin mi?"},
    {errors, 11, "'%s' dosyası  \nyazmak için oluşturulamadı. %sDevam edilsin mi?"},
    {errors, 12, "'%s' dosyası  \nokumak ve yazmak için oluşturulamadı. %sDevam edilsin mi?"},
    {errors, 13, "Yeniden başlatmada kurulacak '%s' dosyası  \niçin geçici dosya oluşturulamadı.  \n"
                 "%sDevam edilsin mi?"},
    {errors, 14, "'%s' dosyası yazılamadı.  \n"
                 "Hedef sürücüde yeterli disk alanı yok. Devam etmek için önce hedef sürücüde  \n"
                 "yer açın ve Tamam'ı tıklatın. Kurulumdan çıkmak için  \nİptal'i tıklatın."},
    {errors, 15, "'%s' dosyası yazılamadı.  \n%sDevam edilsin mi?"},
    {errors, 16, "'%s' dosyası okunamadı."},
    {errors, 17, "'%s' dosyası taşınamadı."},
    {errors, 18, "Dosyanın öznitelikleri alınamadı:  \n'%s'."},
    {errors, 19, "Dosyanın öznitelikleri ayarlanamadı:  \n'%s'."},
    {errors, 20, "Dosyanın boyutu alınamadı:  \n'%s'."},
    {errors, 21, "'%s' klasörü oluşturulamadı. \n%sDevam edilsin mi?"},
    {errors, 22, "Dosya için bellek eşlemesi oluşturulamadı:  \n'%s'."},
    {errors, 23, "Dosyanın görünümü belleğe eşlenemedi:  \n'%s'."},
    {errors, 24, "'%s' kayıt defteri anahtarı oluşturulamadı.  \n%sDevam edilsin mi?"},
    {errors, 25, "'%s' kayıt defteri değeri '%s' anahtarında oluşturulamadı.  \n%sDevam edilsin mi?"},
    {errors, 26, "Kayıt defterinde gereken değişiklikleri yapmaya yetkiniz yok. Kuruluma devam etmek istiyor "
                 "musunuz?"},
    {errors, 27, "'%s' kısayolu oluşturulamadı.  \nDevam edilsin mi?"},
    {errors, 28, ": bu bileşen kaydedilirken bir hata oluştu. Kuruluma devam etmek istiyor musunuz?"},
    {errors, 29, "Sistem yeniden başlatılırken bir hata oluştu. Lütfen bilgisayarınızı yeniden başlatın."},
    {errors, 30, "'%s' için dosya ilişkilendirmesi oluşturulamadı. Devam edilsin mi?"},
    {errors, 31, "Hedef sürücü yok."},
    {errors, 32, "Belirtilen klasörde dosya oluşturmaya yetkiniz yok.  \n"
                 "Uygulama bu klasöre kurulamaz."},
    {errors, 33, "'%s' klasöründe alt klasör oluşturmaya yetkiniz yok.  \n"
                 "Uygulama belirtilen klasöre kurulamaz."},
    {errors, 34, "Hedef sürücüye erişmeye yetkiniz yok."},
    {errors, 35, "'%s' klasörü oluşturulamadı. \n"
                 "'%s' klasöründe alt klasör oluşturmaya yetkiniz yok. \nDevam edilsin mi?"},
    {errors, 36, "'%s' klasörü oluşturulamadı. \n'%s' klasörüne erişim reddedildi. \nDevam edilsin mi?"},
    {errors, 37, "'%s' klasörü oluşturulamadı. \nHedef sürücüye erişim reddedildi. \nDevam edilsin mi?"},
    {errors, 38, "'%s' klasörü oluşturulamadı. \n"
                 "Hedef sürücüde klasör oluşturmaya yetkiniz yok. \nDevam edilsin mi?"},
    {errors, 39, "Hedef sürücüde yeterli boş alan yok."},

    {buttons, 0, "< &Geri"},
    {buttons, 1, "&İleri >"},
    {buttons, 2, "İptal"},
    {buttons, 3, "&Kur"},
    {buttons, 4, "Çı&kış"},
    {buttons, 5, "&Evet"},
    {buttons, 6, "&Hayır"},
    {buttons, 7, "Gö&zat..."},
    {buttons, 8, "&Son"},
    {buttons, 9, "&Ayıkla"},
    {buttons, 10, "Tamam"},

    {language, 0, "{DisplayName} Kurulumu"},
    {language, 1, "Dil Seçimi"},
    {language, 2, "Lütfen aşağıdaki listeden kurulum dilini seçin."},
    {language, 3, "&Dil:"},

    {welcome, 0, "{DisplayName} Kurulumu"},
    {welcome, 1, "{DisplayName} Kurulumuna Hoş Geldiniz"},
    {welcome, 2, "Bu program {DisplayName} uygulamasını bilgisayarınıza kuracak."},
    {welcome, 3, "Kurulumu çalıştırmadan önce tüm Windows programlarından çıkmanız önemle önerilir."},
    {welcome, 4, "UYARI: Bu program telif hakkı yasaları ve uluslararası antlaşmalarla korunmaktadır."},
    {welcome, 5, "Bu programın veya herhangi bir bölümünün izinsiz çoğaltılması veya dağıtılması ağır hukuki "
                 "ve cezai yaptırımlara yol açabilir ve yasaların izin verdiği en geniş ölçüde "
                 "kovuşturulacaktır."},
    {welcome, 6, "Devam etmek için İleri'yi, kurulumdan çıkmak için İptal'i tıklatın."},
    {welcome, 7, "{DisplayName} Kurulumuna Hoş Geldiniz"},

    {licence, 0, "{DisplayName} Kurulumu"},
    {licence, 1, "Lisans Sözleşmesi"},
    {licence, 2, "Lütfen aşağıdaki &lisans sözleşmesini dikkatle okuyun."},
    {licence, 3, "Lisans sözleşmesinin tüm koşullarını kabul ediyor musunuz?"},

    {readme, 0, "{DisplayName} Kurulumu"},
    {readme, 1, "Benioku Bilgileri"},
    {readme, 2, "Devam etmeden önce lütfen aşağıdaki önemli &bilgileri okuyun."},

    {destination, 0, "{DisplayName} Kurulumu"},
    {destination, 1, "Hedef Klasörü Seçin"},
    {destination, 2, "Kurulum {DisplayName} uygulamasını aşağıdaki klasöre kuracak. Başka bir klasöre kurmak "
                     "için Gözat'ı tıklatıp başka bir klasör seçin."},
    {destination, 3, "&Hedef klasör"},
    {destination, 4, "{DisplayName} uygulamasının kurulacağı klasörü seçin:"},
    {destination, 5, "Gereken boş alan:"},
    {destination, 6, "%DISK% sürücüsündeki boş alan:"},

    {startMenu, 0, "{DisplayName} Kurulumu"},
    {startMenu, 1, "Başlat Menüsü Klasörünü Seçin"},
    {startMenu, 2, "Kurulum programın &kısayollarını aşağıdaki Başlat menüsü klasörüne ekleyecek:"},
    {startMenu, 3, "&Program grubu oluştur"},
    {startMenu, 4, "&Masaüstünde kısayol oluştur"},
    {startMenu, 5, "&Hızlı Başlat çubuğunda kısayol oluştur"},

    {ready, 0, "{DisplayName} Kurulumu"},
    {ready, 1, "Kuruluma Hazır"},
    {ready, 2, "Kurulum, {DisplayName} uygulamasını bilgisayarınıza kurmaya hazır."},
    {ready, 3, "Kuruluma başlamak için Kur'u, ayarları gözden geçirmek veya değiştirmek için Geri'yi "
               "tıklatın."},

    {installing, 0, "{DisplayName} Kurulumu"},
    {installing, 1, "Kuruluyor"},
    {installing, 2, "Kurulum {DisplayName} uygulamasını bilgisayarınıza kurarken lütfen bekleyin."},
    {installing, 3, "Kurulumu yarıda kesmek istiyorsanız İptal'i tıklatın."},
    {installing, 4, "Dosyalar ayıklanıyor..."},
    {installing, 5, "Kısayollar oluşturuluyor..."},
    {installing, 6, "Kayıt defteri girdileri yazılıyor..."},
    {installing, 7, "INI dosyaları güncelleniyor..."},
    {installing, 8, "Dosya ilişkilendirmeleri kaydediliyor..."},
    {installing, 13, "Kurulum tamamlanıyor..."},

    {finish, 0, "{DisplayName} Kurulumu"},
    {finish, 1, "Kurulum Tamamlandı"},
    {finish, 2, "Kurulum, {DisplayName} uygulamasını bilgisayarınıza kurmayı bitirdi."},
    {finish, 3, "Kurulumdan çıkmak için Son'u tıklatın."},
    {finish, 4, "{DisplayName} uygulamasını &başlat"},
    {finish, 5, "Benioku dosyasını &göster"},
    {finish, 6, "&Evet, bilgisayarı şimdi yeniden başlat"},
    {finish, 7, "Kurulum sırasında hatalar oluştu. {DisplayName} uygulaması düzgün çalışmayabilir."},
    {finish, 8, "Bilgisayar yeniden başlamadan önce lütfen çalışmanızı kaydedip tüm programları kapatın."},
    {finish, 9, "{DisplayName} kuruldu. Kullanımdaki dosyalar, programı kullanmadan önce gereken yeniden "
                "başlatmada değiştirilecek."},
    {finish, 10, "{DisplayName} kurulumunu tamamlamak için bilgisayarınızın yeniden başlatılması gerekiyor."},

    {uninstaller, 0, "{ProductName} Kaldırma"},
    {uninstaller, 1, "Uygulamayı Kaldırma"},
    {uninstaller, 2, "{DisplayName} uygulaması bilgisayarınızdan kaldırılırken lütfen bekleyin."},
    {uninstaller, 9, "{DisplayName}"},
};

}  // namespace

const TextTable kTurkishTexts = {0x1F, kTexts, sizeof kTexts / sizeof kTexts[0]};

}  // namespace corvel::build
