<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>CoreTexts</name>
    <message>
        <source>暗号化成功：</source>
        <translation>Encrypted: </translation>
    </message>
    <message>
        <source>＊暗号化失敗＊：</source>
        <translation>*Encryption failed*: </translation>
    </message>
    <message>
        <source>復号成功 : </source>
        <translation>Decrypted: </translation>
    </message>
    <message>
        <source>＊古い形式です。Ver2.1で復号して下さい：</source>
        <translation>*Old format. Please decrypt it with Ver2.1: </translation>
    </message>
    <message>
        <source>＊不正なファイル形式です：</source>
        <translation>*Not a valid file format: </translation>
    </message>
    <message>
        <source>＊パスワードが違います：</source>
        <translation>*Wrong password: </translation>
    </message>
    <message>
        <source>＊ファイルが不正です：</source>
        <translation>*The file is damaged: </translation>
    </message>
    <message>
        <source>＊復号不可：</source>
        <translation>*Cannot decrypt: </translation>
    </message>
    <message>
        <source>＊エラー：形式外または読み取り専用です。＊</source>
        <translation>*Error: unknown format or read-only.*</translation>
    </message>
    <message>
        <source>＊暗号化失敗(処理元ファイル名が半角200文字以上です。)：</source>
        <translation>*Encryption failed (the source file name is 200 half-width characters or longer): </translation>
    </message>
    <message>
        <source>＊暗号化失敗(読み取り専用です)：</source>
        <translation>*Encryption failed (read-only): </translation>
    </message>
    <message>
        <source>＊復号失敗(読み取り専用です)：</source>
        <translation>*Decryption failed (read-only): </translation>
    </message>
    <message>
        <source>＊予期せぬエラー：</source>
        <translation>*Unexpected error: </translation>
    </message>
    <message>
        <source>＊再暗号化不可(復号されていないファイルです)：</source>
        <translation>*Cannot re-encrypt (the file was not decrypted): </translation>
    </message>
    <message>
        <source>抹消成功 : </source>
        <translation>Wiped: </translation>
    </message>
    <message>
        <source>抹消成功(元のデータが残っている可能性があります) : </source>
        <translation>Wiped (the old data may remain): </translation>
    </message>
    <message>
        <source>＊抹消不可(ファイルが無効or読み取り専用orロックされている可能性があります。) : </source>
        <translation>*Cannot wipe (the file may be invalid, read-only or locked): </translation>
    </message>
    <message>
        <source>＊暗号化成功(処理元ファイルが読み込み後に変更されたか使用中のため、抹消していません)：</source>
        <translation>*Encrypted (the source changed after it was read, or was in use, so it was kept): </translation>
    </message>
    <message>
        <source>＊復号成功(処理元ファイルが読み込み後に変更されたか使用中のため、抹消していません) : </source>
        <translation>*Decrypted (the container changed after it was read, or was in use, so it was kept): </translation>
    </message>
    <message>
        <source>＊暗号化成功(処理元ファイルは名前のみ削除しました。データは他のハードリンクに残っています)：</source>
        <translation>*Encrypted (only the source&apos;s name was removed; its data remains under its other hard links): </translation>
    </message>
    <message>
        <source>＊復号成功(処理元ファイルは名前のみ削除しました。データは他のハードリンクに残っています) : </source>
        <translation>*Decrypted (only the container&apos;s name was removed; its data remains under its other hard links): </translation>
    </message>
    <message>
        <source>＊名前のみ削除(データは他のハードリンクに残っています) : </source>
        <translation>*Only this name was removed (the data remains under its other hard links): </translation>
    </message>
    <message>
        <source>＊暗号化失敗(フォルダへのリンクは辿りません)：</source>
        <translation>*Not encrypted (a link to a folder is not followed): </translation>
    </message>
    <message>
        <source>＊復号失敗(フォルダへのリンクは辿りません) : </source>
        <translation>*Not decrypted (a link to a folder is not followed): </translation>
    </message>
    <message>
        <source>＊フォルダを読み取れません：</source>
        <translation>*Cannot read the folder: </translation>
    </message>
    <message>
        <source>＊中断された処理の未完成ファイルです(処理しません)：</source>
        <translation>*Unfinished file of an interrupted run (left as it is): </translation>
    </message>
    <message>
        <source>終了しました。&#x3000;失敗数 : %1個</source>
        <translation>Finished. %1 file(s) failed.</translation>
    </message>
    <message>
        <source>全てのファイル/フォルダを正常に処理しました。</source>
        <translation>All files and folders were processed successfully.</translation>
    </message>
    <message>
        <source>以上%1個のファイルを暗号化します。暗号化されたファイルは復号するまで他のアプリケーションからはアクセスできなくなります。よろしいですか？</source>
        <translation>The %1 file(s) above will be encrypted. Encrypted files cannot be opened by other applications until they are decrypted. Continue?</translation>
    </message>
    <message>
        <source>以上%1個のファイルを復号します。これらのファイルが正しいパスワードで暗号化されたものであることを確認してください。よろしいですか？</source>
        <translation>The %1 file(s) above will be decrypted. Please make sure they were encrypted with the right password. Continue?</translation>
    </message>
    <message>
        <source>以上%1個のファイルをディスクから完全に抹消(wipe)します。抹消されたファイルは復元が不可能となります。よろしいですか？</source>
        <translation>The %1 file(s) above will be wiped: overwritten on the disk and deleted. Wiped files cannot be recovered. Continue?</translation>
    </message>
    <message>
        <source>これは抹消モードです！本当によろしいですか？</source>
        <translation>This is wipe mode! Are you really sure?</translation>
    </message>
    <message>
        <source>一部のファイルはコピーオンライト・ネットワーク・フラッシュメモリ等の上にあり、上書きしても元のデータが残る可能性があります。<byte value="xd"/>
確実に守るにはディスク全体の暗号化を使って下さい。</source>
        <translation>Some files lie on copy-on-write, network, flash or similar storage, where the old data may remain after the overwrite.
For real protection, use full-disk encryption.</translation>
    </message>
    <message>
        <source>[%1/%2Files]%3を暗号化中</source>
        <translation>[%1/%2] Encrypting %3</translation>
    </message>
    <message>
        <source>[%1/%2Files]%3を復号中</source>
        <translation>[%1/%2] Decrypting %3</translation>
    </message>
    <message>
        <source>[%1/%2Files]%3を抹消中</source>
        <translation>[%1/%2] Wiping %3</translation>
    </message>
    <message>
        <source>暗号化中：%1/%2バイト&#x3000;%3%</source>
        <translation>Encrypting: %4 of %5 (%3%)</translation>
    </message>
    <message>
        <source>復号中：%1/%2バイト&#x3000;%3%</source>
        <translation>Decrypting: %4 of %5 (%3%)</translation>
    </message>
    <message>
        <source>不要データ抹消中：%1%</source>
        <translation>Wiping: %1%</translation>
    </message>
    <message>
        <source>入力されたパスワードが再入力されたパスワードと一致しません。再度入力してください。</source>
        <translation>The two passwords do not match. Please enter them again.</translation>
    </message>
    <message>
        <source>パスワードが入力されていません。</source>
        <translation>No password has been entered.</translation>
    </message>
    <message>
        <source>%1 に書き込めません</source>
        <translation>%1 cannot be written.</translation>
    </message>
    <message>
        <source>セキュリティレベルが２に設定されており、このレベルでは６文字以上のパスワードを入力する必要があります。「オプション」でセキュリティレベルを変更するか、パスワードを長くしてください。</source>
        <translation>The security level is set to 2, which needs a password of at least 6 characters. Change the security level under &quot;Options&quot; or use a longer password.</translation>
    </message>
    <message>
        <source>セキュリティレベルが３に設定されており、このレベルでは１０文字以上のパスワードを入力する必要があります。「オプション」でセキュリティレベルを変更するか、パスワードを長くしてください。</source>
        <translation>The security level is set to 3, which needs a password of at least 10 characters. Change the security level under &quot;Options&quot; or use a longer password.</translation>
    </message>
    <message>
        <source>セキュリティレベルが４に設定されており、このレベルでは２０文字以上のパスワードを入力する必要があります。「オプション」でセキュリティレベルを変更するか、パスワードを長くしてください。</source>
        <translation>The security level is set to 4, which needs a password of at least 20 characters. Change the security level under &quot;Options&quot; or use a longer password.</translation>
    </message>
    <message>
        <source>＊復号失敗(出力先がリンクまたはフォルダなどで、置き換えられません)：</source>
        <translation>*Decryption failed (the output is a link, a folder or the like and cannot be replaced): </translation>
    </message>
    <message>
        <source>＊抹消不完全(ファイルは削除しましたが、上書きが完了していません。元のデータが残っている可能性があります。) : </source>
        <translation>*Wipe incomplete (the file was deleted, but the overwrite did not finish; the old data may remain): </translation>
    </message>
    <message>
        <source>＊暗号化成功(処理元ファイルは削除しましたが、上書きが完了していません。元のデータが残っている可能性があります。)：</source>
        <translation>*Encrypted (the source file was deleted, but its overwrite did not finish; the old data may remain): </translation>
    </message>
    <message>
        <source>＊復号成功(処理元ファイルは削除しましたが、上書きが完了していません。元のデータが残っている可能性があります。)：</source>
        <translation>*Decrypted (the source file was deleted, but its overwrite did not finish; the old data may remain): </translation>
    </message>
    <message>
        <source>＊暗号化成功(リンク先は抹消されていません：%1)：</source>
        <translation>*Encrypted (the file the link led to was not wiped: %1): </translation>
    </message>
    <message>
        <source>＊復号成功(リンク先は抹消されていません：%1) : </source>
        <translation>*Decrypted (the file the link led to was not wiped: %1): </translation>
    </message>
    <message>
        <source>＊リンクのみ削除(リンク先は抹消されていません：%1) : </source>
        <translation>*Only the link was deleted (the file it led to was not wiped: %1): </translation>
    </message>
    <message>
        <source>ヒントが長すぎます。ヒントは保存される形で750バイト（全角文字は2バイト、Shift-JISで表せない文字を含む場合は全体がUTF-8となり1文字最大3バイト）までです。ヒントを短くしてください。</source>
        <translation>The hint is too long. As stored, a hint may have at most 750 bytes (a full-width character takes 2 bytes; a hint with a character that Shift-JIS cannot represent is stored whole as UTF-8, up to 3 bytes a character). Please shorten the hint.</translation>
    </message>
    <message>
        <source>パスワードにShift-JISで表せない文字が含まれているため、パスワード全体をUTF-8のバイト列として使用します（最低文字数もUTF-8のバイト数で数えます）。このパスワードで暗号化したファイルは、Windows版のZKでは同じパスワードを入力しても復号できません。</source>
        <translation>The password has a character that Shift-JIS cannot represent, so the whole password is used as its UTF-8 bytes (the minimum length counts UTF-8 bytes as well). Files encrypted with this password cannot be decrypted by ZK for Windows, even with the same password.</translation>
    </message>
    <message>
        <source>ヒントにShift-JISで表せない文字が含まれているため、ヒント全体をUTF-8で保存します。Windows版のZKではこのヒントは正しく表示されません。</source>
        <translation>The hint has a character that Shift-JIS cannot represent, so the whole hint is stored as UTF-8. ZK for Windows will not show this hint correctly.</translation>
    </message>
    <message>
        <source>このパスワードは１日以内に推測される恐れがあります。%1</source>
        <translation>This password could be guessed within a day. %1</translation>
    </message>
    <message>
        <source>推測にかかる時間の目安：%1</source>
        <translation>Time to guess it: %1</translation>
    </message>
    <message>
        <source>推測にかかる時間の目安：%1（日本語の単語などは辞書にないため、実際はもっと短い場合があります）</source>
        <translation>Time to guess it: %1 (Japanese words and the like are not in its dictionaries, so it may be shorter)</translation>
    </message>
    <message>
        <source>1秒未満</source>
        <translation>less than a second</translation>
    </message>
    <message>
        <source>1秒</source>
        <translation>1 second</translation>
    </message>
    <message>
        <source>%1秒</source>
        <translation>%1 seconds</translation>
    </message>
    <message>
        <source>1分</source>
        <translation>1 minute</translation>
    </message>
    <message>
        <source>%1分</source>
        <translation>%1 minutes</translation>
    </message>
    <message>
        <source>1時間</source>
        <translation>1 hour</translation>
    </message>
    <message>
        <source>%1時間</source>
        <translation>%1 hours</translation>
    </message>
    <message>
        <source>1日</source>
        <translation>1 day</translation>
    </message>
    <message>
        <source>%1日</source>
        <translation>%1 days</translation>
    </message>
    <message>
        <source>1か月</source>
        <translation>1 month</translation>
    </message>
    <message>
        <source>%1か月</source>
        <translation>%1 months</translation>
    </message>
    <message>
        <source>1年</source>
        <translation>1 year</translation>
    </message>
    <message>
        <source>%1年</source>
        <translation>%1 years</translation>
    </message>
    <message>
        <source>何世紀も</source>
        <translation>centuries</translation>
    </message>
    <message>
        <source>ファイルが開けません</source>
        <translation>The file cannot be opened</translation>
    </message>
</context>
<context>
    <name>Messages</name>
    <message>
        <source>すでに起動しています。</source>
        <translation>ZK is already running.</translation>
    </message>
    <message>
        <source>！ご注意！</source>
        <translation>Please note!</translation>
    </message>
    <message>
        <source>これは公開テスト専用のアルファ版です！</source>
        <translation>This is an alpha version for public testing only!</translation>
    </message>
    <message>
        <source>未確認の不具合やバグが含まれている可能性がありますので、</source>
        <translation>It may contain faults and bugs not yet found, so</translation>
    </message>
    <message>
        <source>このバージョンのZKでは、不要なテスト用ファイル以外のファイルを処理しないで下さい。</source>
        <translation>please process nothing but spare test files with this version of ZK.</translation>
    </message>
    <message>
        <source>（よく分からない場合は、ソフトをすぐに終了し、削除して下さい。）</source>
        <translation>(If in doubt, close the program right away and delete it.)</translation>
    </message>
    <message>
        <source>また、このソフトを再配布しないで下さい。</source>
        <translation>Please do not redistribute this program either.</translation>
    </message>
    <message>
        <source>なお、WEBサイト{WEB}ではこのバージョンでのテスト結果を受けて、</source>
        <translation>Taking the results of this test into account, the web site {WEB}</translation>
    </message>
    <message>
        <source>正式版を公開していきますので、定期的にお越し頂ければ幸いです。</source>
        <translation>will publish the release version, so please visit it from time to time.</translation>
    </message>
    <message>
        <source>（正式版公開時まで、テストレポートなどもお待ちしております。）</source>
        <translation>(Test reports are welcome until the release version is out.)</translation>
    </message>
    <message>
        <source>本公開テストへの皆様のご協力に感謝いたします！</source>
        <translation>Thank you all for helping with this public test!</translation>
    </message>
    <message>
        <source>このメッセージは初回実行時のみ表示されます。</source>
        <translation>This message is shown on the first run only.</translation>
    </message>
    <message>
        <source>ZKをご利用頂きまして誠にありがとうございます。</source>
        <translation>Thank you very much for using ZK.</translation>
    </message>
    <message>
        <source>このソフトには大変堅固な暗号技術が使用されておりますので、</source>
        <translation>This program uses very strong encryption, so</translation>
    </message>
    <message>
        <source>このソフトを正しく安全にお使い頂き、大切な情報を保護するためにも、</source>
        <translation>to use it correctly and safely and to protect your important data,</translation>
    </message>
    <message>
        <source>ご利用の前にヘルプ等の付属ドキュメントを良くお読み下さい。</source>
        <translation>please read the help and the other documents that come with it before use.</translation>
    </message>
    <message>
        <source>また、不要なファイル等で一度、暗号化/復号テストをされてみることをお勧めいたします。</source>
        <translation>We also recommend trying encryption and decryption once on a spare file.</translation>
    </message>
    <message>
        <source>なお、WEBサイト{WEB}では最新版を公開しておりますので、定期的にお越し頂ければ幸いです。</source>
        <translation>The web site {WEB} offers the latest version, so please visit it from time to time.</translation>
    </message>
</context>
<context>
    <name>TConfirmationDlg</name>
    <message>
        <source>確認</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>ファイル名</source>
        <translation>File name</translation>
    </message>
    <message>
        <source>パスワードのヒント</source>
        <translation>Password hint</translation>
    </message>
    <message>
        <source>処理後ファイル名</source>
        <translation>Name after processing</translation>
    </message>
    <message>
        <source>再暗号化</source>
        <translation>Re-encrypt</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>抹消をスキップ</source>
        <translation>Skip wipe</translation>
    </message>
    <message>
        <source>ファイルの一覧</source>
        <translation>List of files</translation>
    </message>
    <message>
        <source>進行状況</source>
        <translation>Progress</translation>
    </message>
</context>
<context>
    <name>THashForm</name>
    <message>
        <source>SHA-1ハッシュ計算</source>
        <translation>SHA-1 Hash</translation>
    </message>
    <message>
        <source>対象ファイル選択・SHA-1ハッシュ計算</source>
        <translation>Choose a file and compute its SHA-1 hash</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>暗号化（ここに暗号化したいファイルをドラッグできます）</source>
        <translation>Encrypt (you can drag the files to encrypt here)</translation>
    </message>
    <message>
        <source>復号（ここに復号したいファイルをドラッグできます）</source>
        <translation>Decrypt (you can drag the files to decrypt here)</translation>
    </message>
    <message>
        <source>オプション</source>
        <translation>Settings, the wipe bin and the tools</translation>
    </message>
    <message>
        <source>OPTION</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>抹消ごみ箱</source>
        <translation>Wipe bin</translation>
    </message>
    <message>
        <source>暗号化</source>
        <translation>Encrypt</translation>
    </message>
    <message>
        <source>ファイルを選んで暗号化します。暗号化したいファイルをここにドラッグすることもできます。</source>
        <translation>Chooses files and encrypts them. You can also drag the files to encrypt here.</translation>
    </message>
    <message>
        <source>復号</source>
        <translation>Decrypt</translation>
    </message>
    <message>
        <source>ファイルを選んで復号します。復号したいファイルをここにドラッグすることもできます。</source>
        <translation>Chooses files and decrypts them. You can also drag the files to decrypt here.</translation>
    </message>
    <message>
        <source>ファイルを選んでディスクから完全に抹消します。抹消したいファイルをここにドラッグすることもできます。</source>
        <translation>Chooses files and wipes them from the disk. You can also drag the files to wipe here.</translation>
    </message>
</context>
<context>
    <name>TOptionDlg</name>
    <message>
        <source>オプション</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>ファイル暗号化ソフト</source>
        <translation>File encryption software</translation>
    </message>
    <message>
        <source>© ZK for Linux の開発者たち</source>
        <translation>© The developers of ZK for Linux</translation>
    </message>
    <message>
        <source>またご質問・ご意見・ご要望・バグ連絡等も同サイト内に記載の作者連絡先までお気軽にお寄せくださいませ。(ここや下のリンクをクリックするとブラウザを開いてアクセスします。)</source>
        <translation>Questions, ideas, wishes and bug reports are welcome at the contact address on the site. (Click here or on the link below to open it in the browser.)</translation>
    </message>
    <message>
        <source>ファイル選択の時にサブフォルダも含める</source>
        <translation>Include subfolders when choosing files</translation>
    </message>
    <message>
        <source>暗号化後に元ファイルを抹消する</source>
        <translation>Wipe the original after encryption</translation>
    </message>
    <message>
        <source>復号後に元ファイルを抹消する</source>
        <translation>Wipe the original after decryption</translation>
    </message>
    <message>
        <source>メイン画面を常に前面に表示する</source>
        <translation>Keep the main window on top</translation>
    </message>
    <message>
        <source>使用中は前回のパスワードをメモリから消去しない</source>
        <translation>Keep the last password in memory</translation>
    </message>
    <message>
        <source>前回入力したパスワードのヒントを記憶する</source>
        <translation>Remember the last password hint</translation>
    </message>
    <message>
        <source>再暗号化機能を使用する（実行中パスワード保持）</source>
        <translation>Use re-encryption (keeps the password)</translation>
    </message>
    <message>
        <source>抹消ゴミ箱をメイン画面にも出す</source>
        <translation>Show the wipe bin in the main window too</translation>
    </message>
    <message>
        <source>暗号化したファイルの設定</source>
        <translation>Names of encrypted files</translation>
    </message>
    <message>
        <source>元の名前＋標準拡張子（.enc）</source>
        <translation>Original name + .enc (the standard)</translation>
    </message>
    <message>
        <source>元の名前&#x3000;&#x3000;&#x3000;＋</source>
        <translation>Same name +</translation>
    </message>
    <message>
        <source>ランダム名&#x3000;&#x3000;＋</source>
        <translation>Random +</translation>
    </message>
    <message>
        <source>抹消ゴミ箱（完全に消去したいファイルをドロップ）</source>
        <translation>Wipe bin (drop files here to wipe them)</translation>
    </message>
    <message>
        <source>セキュリティレベル・アルゴリズムの変更..</source>
        <translation>Change the security level and algorithm...</translation>
    </message>
    <message>
        <source>登録されている照合用ハッシュとヒントをクリア</source>
        <translation>Clear the registered password check and hint</translation>
    </message>
    <message>
        <source>INIファイルに登録されているパスワード照合用ハッシュとヒントのデータを消去します。</source>
        <translation>Removes the password check and the hint stored in the settings file.</translation>
    </message>
    <message>
        <source>SHA-1ハッシュ計算</source>
        <translation>SHA-1 hash of a file</translation>
    </message>
    <message>
        <source>任意のファイルデータのSHA-1ハッシュを計算します。</source>
        <translation>Computes the SHA-1 hash of any file.</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>ZKのアイコン</source>
        <translation>ZK icon</translation>
    </message>
    <message>
        <source>WEBサイトを開く</source>
        <translation>Open the web site</translation>
    </message>
    <message>
        <source>独自の拡張子</source>
        <translation>Own extension</translation>
    </message>
    <message>
        <source>抹消ゴミ箱のドロップ先</source>
        <translation>Wipe bin drop area</translation>
    </message>
    <message>
        <source>抹消ゴミ箱</source>
        <translation>Wipe bin</translation>
    </message>
    <message>
        <source>ファイルを選んでディスクから完全に抹消します。抹消したいファイルを左の枠にドロップすることもできます。</source>
        <translation>Chooses files and wipes them from the disk. You can also drop the files to wipe on the box to the left.</translation>
    </message>
</context>
<context>
    <name>TPasswordDlg</name>
    <message>
        <source>暗号化に使用するパスワードを入力してください。</source>
        <translation>Encryption Password</translation>
    </message>
    <message>
        <source>入力</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>確認のため再入力</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>ヒントの付加（必要なら）</source>
        <translation>Hint (optional)</translation>
    </message>
    <message>
        <source>パスワードの照合</source>
        <translation>Password check</translation>
    </message>
    <message>
        <source>照合用ハッシュと照合する</source>
        <translation>Compare with registered</translation>
    </message>
    <message>
        <source>照合用にハッシュを登録</source>
        <translation>Register this password</translation>
    </message>
    <message>
        <source>何も行わない</source>
        <translation>Do not check</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>パスワード</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>パスワードの再入力</source>
        <translation>Confirm password</translation>
    </message>
    <message>
        <source>パスワードのヒント</source>
        <translation>Password hint</translation>
    </message>
    <message>
        <source>パスワードの強さ</source>
        <translation>Password strength</translation>
    </message>
</context>
<context>
    <name>TSecSetDlg</name>
    <message>
        <source>セキュリティレベル・アルゴリズムの変更</source>
        <translation>Security Level and Algorithm</translation>
    </message>
    <message>
        <source>セキュリティレベル</source>
        <translation>Security level</translation>
    </message>
    <message>
        <source>１</source>
        <translation>1</translation>
    </message>
    <message>
        <source>２</source>
        <translation>2</translation>
    </message>
    <message>
        <source>３</source>
        <translation>3</translation>
    </message>
    <message>
        <source>４</source>
        <translation>4</translation>
    </message>
    <message>
        <source>説明</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>アルゴリズム</source>
        <translation>Algorithm</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>セキュリティレベルの説明</source>
        <translation>Description of the security level</translation>
    </message>
    <message>
        <source>アルゴリズムの説明</source>
        <translation>Description of the algorithm</translation>
    </message>
</context>
<context>
    <name>zk::TConfirmationDlg</name>
    <message>
        <source>ファイルの暗号化</source>
        <translation>Encrypt Files</translation>
    </message>
    <message>
        <source>ファイルの復号</source>
        <translation>Decrypt Files</translation>
    </message>
    <message>
        <source>ファイルの抹消</source>
        <translation>Wipe Files</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>パスワードヒント</source>
        <translation>Password hint</translation>
    </message>
    <message>
        <source>復号後ファイル名</source>
        <translation>Decrypted file name</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>これらの復号済みのファイルを復号時のパスワードとヒントで再暗号化します。よろしいですか？<byte value="xd"/>
（※注意！：再暗号化の際は当該ファイルが使用中であったり、削除、移動、置き換え等されていないかご確認下さい。）</source>
        <translation>These decrypted files will be encrypted again with the password and hint they were decrypted with. Continue?
(Note: before re-encrypting, make sure the files are not in use and have not been deleted, moved or replaced.)</translation>
    </message>
</context>
<context>
    <name>zk::THashForm</name>
    <message>
        <source>選択したファイルのSHA-1計算結果</source>
        <translation>SHA-1 of the chosen file</translation>
    </message>
    <message>
        <source>160bit Hash値[32bit(16進表現)*5]:</source>
        <translation>160-bit hash [32 bits (hexadecimal) x 5]:</translation>
    </message>
</context>
<context>
    <name>zk::TMainForm</name>
    <message>
        <source>全てのファイル (*)</source>
        <translation>All files (*)</translation>
    </message>
</context>
<context>
    <name>zk::TOptionDlg</name>
    <message>
        <source>WEBサイト%1では最新版や他ソフト等の公開を行っておりますので是非お越し下さい。</source>
        <translation>The web site %1 offers the latest version and other programs. Please drop by.</translation>
    </message>
    <message>
        <source>拡張子の設定が不正です。正しく設定しなおして下さい。<byte value="xd"/>
(不正な拡張子とは%1が含まれる、空である、.だけなどです。)</source>
        <translation>The extension is not valid. Please set it again.
(An extension is invalid when it contains %1, is empty, is only &quot;.&quot; and the like.)</translation>
    </message>
    <message>
        <source>パスワードの照合のために登録されているハッシュデータとパスワードヒントをクリアしますか？</source>
        <translation>Clear the hash registered for checking passwords and the password hint?</translation>
    </message>
    <message>
        <source>ハッシュデータとパスワードヒントをクリアしました。</source>
        <translation>The hash and the password hint have been cleared.</translation>
    </message>
</context>
<context>
    <name>zk::TPasswordDlg</name>
    <message>
        <source>暗号化に使用するパスワードを入力してください。</source>
        <translation>Encryption Password</translation>
    </message>
    <message>
        <source>＊パスワードは絶対に忘れないようにしてください。また、出来る限り長く、推測されにくいパスワードにしてください。</source>
        <translation>* Never forget your password. Make it as long and as hard to guess as you can.</translation>
    </message>
    <message>
        <source>復号に使用するパスワードを入力してください。</source>
        <translation>Decryption Password</translation>
    </message>
    <message>
        <source>＊パスワードは大文字と小文字を区別されます。</source>
        <translation>* Passwords are case-sensitive.</translation>
    </message>
    <message>
        <source>入力されたパスワードが照合用に登録されたパスワードと異なります。確認してください。<byte value="xd"/>
（そのままで良い場合は、「照合用にハッシュを登録」または「何も行わない」を選択して再度ＯＫを押してください。）</source>
        <translation>The password differs from the one registered for checking. Please check it.
(To use it anyway, choose &quot;Register this password&quot; or &quot;Do not check&quot; and press OK again.)</translation>
    </message>
    <message>
        <source>入力されたパスワードのハッシュを照合用に登録します。よろしいですか？<byte value="xd"/>
（このハッシュは照合以外に使用できないように特殊な方法で加工されるので、登録しても安全です。）</source>
        <translation>The hash of this password will be registered for checking. Continue?
(The hash is made in a special way so that it serves for checking only: registering it is safe.)</translation>
    </message>
    <message>
        <source>このまま暗号化してよろしいですか？</source>
        <translation>Encrypt anyway?</translation>
    </message>
    <message>
        <source>パスワードを知らない人がコンテナを手に入れ、グラフィックカード1枚で毎秒100億回試した場合の目安です。</source>
        <translation>For someone who has a container, not the password, and tries 10 billion passwords a second on one graphics card.</translation>
    </message>
</context>
<context>
    <name>zk::TSecSetDlg</name>
    <message>
        <source>セキュリティレベル１は、日記のファイルやちょっとしたメモなどの、家族内での秘密や日常的な情報の暗号化に適しています。このレベルで暗号化する場合、パスワードは１文字以上にしなければなりません。</source>
        <translation>Security level 1 suits family secrets and everyday information such as diaries and small notes. At this level the password must have at least 1 character.</translation>
    </message>
    <message>
        <source>セキュリティレベル２は、会社のコンピュータ上にある個人の秘密情報や、インターネットで送る個人的な情報の暗号化に適しています。このレベルで暗号化する場合、パスワードは６文字以上にしなければなりません。</source>
        <translation>Security level 2 suits private information on an office computer and personal information sent over the Internet. At this level the password must have at least 6 characters.</translation>
    </message>
    <message>
        <source>セキュリティレベル３は、企業秘密級です。機密度の高い情報の暗号化に適しています。このレベルで暗号化する場合、パスワードは10文字以上にしなければなりません。</source>
        <translation>Security level 3 is for trade secrets. It suits highly confidential information. At this level the password must have at least 10 characters.</translation>
    </message>
    <message>
        <source>セキュリティレベル４は、国家機密級です(笑)。地球上のいかなる組織による解読も好ましくない情報の暗号化に適しています。このレベルで暗号化する場合、パスワードは20文字以上にしなければなりません。</source>
        <translation>Security level 4 is for state secrets (just kidding). It suits information that no organisation on earth should decipher. At this level the password must have at least 20 characters.</translation>
    </message>
    <message>
        <source>（本ソフトでの仕様：最大鍵長256ビット、実質鍵長160ビット、ブロックサイズ128ビット、CBCモード）</source>
        <translation>(As used here: key up to 256 bits, effective key 160 bits, block size 128 bits, CBC mode)</translation>
    </message>
    <message>
        <source>Twofishは、著名な暗号研究者を中心とするチームが開発したブロック暗号です。米国政府の標準暗号（AES）を選ぶNISTの選考で最終候補の4方式に残り、採用されたRijndaelに劣らない強度と速度を備えています。前身のBlowFishとともに、自由に利用できる暗号の定番となっています。</source>
        <translation>Twofish is a block cipher designed by a team around well-known cryptographers. It was one of the four finalists of the NIST selection of the US government standard cipher (AES) and is as strong and fast as Rijndael, the winner. Like its predecessor Blowfish, it is a standard among freely usable ciphers.</translation>
    </message>
    <message>
        <source>1997年、米国のNISTは、強度に疑問が持たれるようになったDESに代わる新しい標準暗号（AES）を広く公募しました。TwoFishをはじめとする数多くの応募の中から、ベルギーの2人の暗号研究者が開発したRijndaelが、その洗練された設計によって選ばれ、2000年10月に米国政府の承認暗号となりました。</source>
        <translation>In 1997 the US NIST called for a new standard cipher (AES) to replace DES, whose strength had come into doubt. Out of many entries, Twofish among them, Rijndael by two Belgian cryptographers was chosen for its refined design and became the US government approved cipher in October 2000.</translation>
    </message>
    <message>
        <source>GOST 28147-89は、旧ソビエト連邦の政府標準暗号です。3人の研究者によって開発され、1989年に制定されました。かつては鉄のカーテンの向こうで秘密にされていましたが、ソ連の崩壊後はその仕様を容易に入手できるようになりました。暗号解読に対する強さはTwofishやRijndaelに劣るとされますが、通常の用途には十分です。</source>
        <translation>GOST 28147-89 is the government standard cipher of the former Soviet Union. It was developed by three researchers and adopted in 1989. Once kept secret behind the Iron Curtain, its design became easy to obtain after the fall of the Soviet Union. It is held to resist cryptanalysis less well than Twofish or Rijndael, but it is ample for ordinary use.</translation>
    </message>
    <message>
        <source>（本ソフトでの仕様：最大鍵長256ビット、実質鍵長160ビット、ブロックサイズ64ビット、CBCモード）</source>
        <translation>(As used here: key up to 256 bits, effective key 160 bits, block size 64 bits, CBC mode)</translation>
    </message>
</context>
</TS>
