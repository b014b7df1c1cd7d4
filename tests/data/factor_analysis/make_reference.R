# Reference answers for the factor-analysis tests, computed once with R 4.2 and psych 2.2.9. Run
# from this directory: Rscript make_reference.R. The tests read the .txt files only.
suppressMessages({ library(psych); library(GPArotation) })
options(digits = 17, warn = 1)

write_block <- function(con, name, m) {
  m <- as.matrix(m)
  cat(name, nrow(m), ncol(m), "\n", file = con)
  for (i in seq_len(nrow(m))) cat(formatC(m[i, ], digits = 17, format = "e"), "\n", file = con)
}

cases <- list(
  harman74 = list(cov = Harman74.cor$cov, n = Harman74.cor$n.obs, k = 4),
  ability = list(cov = ability.cov$cov, n = ability.cov$n.obs, k = 2),
  attitude = list(cov = cov(attitude), n = nrow(attitude), k = 2),
  mtcars = list(cov = cov(mtcars), n = nrow(mtcars), k = 3)
)

for (name in names(cases)) {
  case <- cases[[name]]
  R <- cov2cor(case$cov)
  con <- file(paste0(name, ".txt"), "w")
  write_block(con, "input", case$cov) # a covariance matrix: the routines standardise it
  write_block(con, "cases", case$n)
  write_block(con, "factors", case$k)
  kmo <- KMO(R)
  write_block(con, "kmo", kmo$MSA)
  write_block(con, "kmo_items", kmo$MSAi)
  bt <- cortest.bartlett(R, n = case$n)
  write_block(con, "bartlett", c(bt$chisq, bt$df, bt$p.value))
  # Principal axes iterated until the communalities settle to double precision.
  pa <- fa(R, nfactors = case$k, n.obs = case$n, fm = "pa", rotate = "none",
           min.err = 1e-14, max.iter = 100000, warnings = FALSE)
  write_block(con, "pa_loadings", unclass(pa$loadings))
  write_block(con, "pa_communalities", pa$communality)
  mr <- fa(R, nfactors = case$k, n.obs = case$n, fm = "minres", rotate = "none", warnings = FALSE)
  write_block(con, "minres_loadings", unclass(mr$loadings))
  ml <- fa(R, nfactors = case$k, n.obs = case$n, fm = "ml", rotate = "none", warnings = FALSE)
  write_block(con, "ml_loadings", unclass(ml$loadings))
  write_block(con, "ml_fit", c(ml$objective, ml$STATISTIC, ml$dof, ml$PVAL, ml$RMSEA[1:3],
                               ml$TLI, ml$BIC))
  # factanal as a second reference for the maximum-likelihood optimum.
  fa2 <- factanal(covmat = R, factors = case$k, n.obs = case$n, rotation = "none")
  write_block(con, "ml_uniquenesses", fa2$uniquenesses)
  # Oblique rotations of the principal-axis loadings, run to a tight tolerance from the identity.
  L <- unclass(pa$loadings)
  if (ncol(L) >= 2) {
    for (gam in c(0, 0.5)) {
      ob <- oblimin(L, gam = gam, normalize = FALSE, eps = 1e-10, maxit = 20000)
      tag <- paste0("oblimin", gam * 10)
      write_block(con, paste0(tag, "_pattern"), ob$loadings)
      write_block(con, paste0(tag, "_phi"), ob$Phi)
      write_block(con, paste0(tag, "_value"), min(ob$Table[, 2]))
    }
    gm <- geominQ(L, delta = 0.01, normalize = FALSE, eps = 1e-10, maxit = 20000)
    write_block(con, "geomin_pattern", gm$loadings)
    write_block(con, "geomin_phi", gm$Phi)
    write_block(con, "geomin_value", min(gm$Table[, 2]))
    # Promax (Hendrickson and White) from the Kaiser-normalised varimax, with the varimax run to
    # convergence; stats::promax stops its varimax at 1e-5.
    vm <- varimax(L, normalize = TRUE, eps = 1e-15)
    A <- unclass(vm$loadings)
    write_block(con, "kaiser_varimax", A)
    Q <- A * abs(A)^(4 - 1)
    U <- lm.fit(A, Q)$coefficients
    d <- diag(solve(t(U) %*% U))
    U <- U %*% diag(sqrt(d))
    write_block(con, "promax_pattern", A %*% U)
    write_block(con, "promax_phi", solve(t(U) %*% U))
    write_block(con, "promax_stats", unclass(promax(L, m = 4)$loadings))
  }
  # Velicer's MAP: the average squared partial correlation after 1 .. p - 1 components.
  p <- ncol(R)
  write_block(con, "map", VSS(R, n = p - 1, n.obs = case$n, plot = FALSE)$map)
  # Parallel analysis: random, so only its suggestions are kept, for a loose comparison.
  set.seed(36)
  pa_sugg <- fa.parallel(R, n.obs = case$n, fa = "both", n.iter = 100, plot = FALSE)
  write_block(con, "parallel_suggestion", c(pa_sugg$ncomp, pa_sugg$nfact))
  close(con)
}

# Factor scores from raw data, given the loadings (and for an oblique solution Phi) as inputs, so
# that only the closed forms of the scores are compared.
score_cases <- list(
  scores_attitude = list(x = as.matrix(attitude), k = 2, rotate = "oblimin"),
  scores_mtcars = list(x = as.matrix(mtcars), k = 3, rotate = "none")
)
for (name in names(score_cases)) {
  case <- score_cases[[name]]
  f <- fa(cor(case$x), nfactors = case$k, n.obs = nrow(case$x), fm = "pa",
          rotate = case$rotate, warnings = FALSE)
  L <- unclass(f$loadings)
  Phi <- if (is.null(f$Phi)) diag(case$k) else f$Phi
  con <- file(paste0(name, ".txt"), "w")
  write_block(con, "data", case$x)
  write_block(con, "loadings", L)
  write_block(con, "phi", Phi)
  write_block(con, "regression", factor.scores(case$x, L, Phi = Phi, method = "Thurstone")$scores)
  write_block(con, "bartlett", factor.scores(case$x, L, Phi = Phi, method = "Bartlett")$scores)
  close(con)
}
