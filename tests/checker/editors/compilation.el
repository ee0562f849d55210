;; Reads morvac-check's findings (FINDINGS) in compilation mode with Emacs's default settings,
;; visits each one as next-error does and writes where point lands (LANDINGS): the line and the
;; 12 characters from point, one finding a line. Notes are visited too (they are below the
;; default skip threshold of navigation, which decides nothing about columns).
(require 'compile)
(setq coding-system-for-write 'utf-8-unix)
(let ((landings '())
      (compilation-skip-threshold 0))
  (with-current-buffer (find-file-noselect (getenv "FINDINGS"))
    (setq default-directory (file-name-as-directory (getenv "SOURCES")))
    (goto-char (point-min))
    (let ((inhibit-read-only t)) (insert "\n"))  ; so that the first finding is a next one
    (compilation-mode)
    (goto-char (point-min))
    (condition-case nil
        (while t
          (compilation-next-error 1)
          (let ((findings (current-buffer)) (at (point)))
            (compile-goto-error)
            (push (format "%d\t%s" (line-number-at-pos)
                          (buffer-substring-no-properties
                           (point) (min (line-end-position) (+ (point) 12))))
                  landings)
            (set-buffer findings)
            (goto-char at)))
      (user-error nil)))
  (with-temp-file (getenv "LANDINGS")
    (dolist (landing (nreverse landings)) (insert landing "\n"))))
